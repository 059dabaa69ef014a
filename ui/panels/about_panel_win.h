#pragma once
// The about panel: the product's links and the language box.
void BuildAboutPanel();
