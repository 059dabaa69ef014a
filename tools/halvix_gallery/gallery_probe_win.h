#pragma once
// Gallery pieces that are not controls: a probe square that logs every library event it receives
// (the input tests watch it), and a spinner, an animated state drawn by the gallery itself.
#include <string>

#include "graphics/hv_obj.h"

class HVBitmapState;

// A movable coloured square; dragging it moves it by the library's default drag handling.
class GalleryProbe : public HVObj {
public:
    GalleryProbe(std::string name, int width, int height, uint32_t colour);

    bool OnLButtonDown(int x, int y) override;
    bool OnLButtonUp(int x, int y, bool dragged) override;
    bool OnRButtonUp(int x, int y, bool dragged) override;
    bool OnDoubleClick(int x, int y) override;
    bool OnMouseEnter() override;
    bool OnMouseLeave(HVObj* next) override;
    bool OnDrag(int x, int y, int deltaX, int deltaY) override;

private:
    std::string name_;
};

// An 8-frame strip of size x size: a ring of dots whose dark head goes round once per 800 ms.
HVBitmapState* CreateSpinnerState(const wchar_t* name, int size);
