#pragma once
// Owners of GDI handles for the length of a scope: a memory device context, the screen's device
// context, a selection into a context, and a GDI object (font, brush) that is deleted once. None of
// them can be copied, so every handle has exactly one owner.
#include <windows.h>

// A memory device context compatible with the given one (the screen when null).
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC compatible = nullptr) : dc(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() {
        if (dc) DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
};

// The screen's device context, released at the end of the scope.
struct ScreenDc {
    HDC dc;
    ScreenDc() : dc(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc) ReleaseDC(nullptr, dc);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
};

// Selects an object for the lifetime of the scope.
struct ScopedSelect {
    HDC dc;
    HGDIOBJ previous;
    ScopedSelect(HDC d, HGDIOBJ object) : dc(d), previous(SelectObject(d, object)) {}
    ~ScopedSelect() {
        if (previous) SelectObject(dc, previous);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
};

// Owns a GDI object (HFONT, HBRUSH, HPEN...) and deletes it at the end of the scope. Whoever
// selects it must deselect it first (ScopedSelect declared after the owner does).
template <typename Handle>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(Handle handle = nullptr) : handle_(handle) {}
    ~ScopedGdiObject() {
        if (handle_) DeleteObject(handle_);
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_;
};

using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
