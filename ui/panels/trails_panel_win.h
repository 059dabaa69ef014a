#pragma once
// The trails panel: no trail, the ghost trail with its sliders, or an installed trail, with a
// preview box where the trail follows the pointer.
void BuildTrailsPanel();
// Selects row 0 (no trail); the trail of a newly taken theme starts from there.
void SelectNoTrailRow();
// Ends the running trail preview and resets its caption (before the engine is told of a change).
void ResetTrailPreview();
// The caption above the box follows the theme in use (without a trail file chosen, the preview
// shows the trail of the theme in use).
void ShowTrailPreviewCaption();
