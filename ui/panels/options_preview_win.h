#pragma once
// The live preview of the options panel: a box holding one object that shows the theme's arrow
// with the appearance settings applied (its state "mod", made anew on every refresh from the
// source state). SetOptionsPreviewSource and RefreshOptionsPreview are declared with the panel.
class HVObj;
class CTXObj;

// Makes the box (width x height at x, y of the panel) and the object inside it.
void BuildOptionsPreview(HVObj* panel, int x, int y, int width, int height);

// The object showing the preview (null before the panel is built), for tests.
CTXObj* OptionsPreviewObject();
