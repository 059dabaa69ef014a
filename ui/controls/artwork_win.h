#pragma once
// The window's PNG artwork, decoded once per resource id and handed out as copies, so that every
// control can resize or recolour its own image without decoding the PNG again.
class HVBitmap;

// A new bitmap (no references taken) with the alpha and shared-device-context flags. Throws
// std::runtime_error when the resource is missing; an image that does not decode gives an empty
// 1 x 1 bitmap.
HVBitmap* LoadArtwork(int resourceId);

// Forgets the decoded originals.
void ClearArtworkCache();
