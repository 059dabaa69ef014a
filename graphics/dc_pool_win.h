#pragma once
// The six shared memory device contexts that bitmaps made with HVB_SHAREDDC borrow, so that many
// small bitmaps need no context of their own. A bitmap keeps its slot until another bitmap needs
// the slot (the rotating index moves on to it) or the bitmap gives it back. Used on the UI thread.
#include <windows.h>

class HVBitmap;

constexpr int kSharedDcCount = 6;

struct SharedDcPool {
    HDC dc[kSharedDcCount] = {};
    HVBitmap* holder[kSharedDcCount] = {};   // the bitmap selected into each context
    HGDIOBJ previous[kSharedDcCount] = {};   // what each context held before it
    int index = 0;                           // the slot used last
};

extern SharedDcPool gSharedDcs;

// Creates the six contexts (compatible with the screen) once and clears both tables.
void CreateSharedDcPool();

// The context holding bitmap's section: its current slot, else the next slot in rotation (whose
// previous bitmap is displaced). Null for a null section.
HDC BorrowSharedDC(HVBitmap* bitmap, HBITMAP section);

// Restores every slot that holds bitmap to its previous object and clears the slot.
void ReturnSharedDCs(HVBitmap* bitmap);
