#pragma once
// Builds the image state of a cursor, click effect or trail from its frame strip: the state is
// given the frames, interval and mode flags of the animation, an offset of minus the hot spot (so
// that drawing at the pointer puts the hot spot there), never hits, and plays the frame script
// when there is one.
#include <memory>
#include <string>

#include "theme/theme.h"

class HVBitmap;
class HVBitmapState;

// Mode flags for an animation's image state; the loop flag only when allowLoop (cursors).
uint32_t AnimationModeFlags(const CAnimation& animation, bool allowLoop);

// A new state named name over bitmap (which it takes a reference on), set up from animation.
std::unique_ptr<HVBitmapState> MakeAnimationState(const std::wstring& name, HVBitmap* bitmap,
                                                  const CAnimation& animation, bool allowLoop);

// The state name the reader gives a cursor image: role and event joined by a hyphen.
std::wstring CursorStateName(uint32_t role, uint32_t event);
