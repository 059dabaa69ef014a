#pragma once
// The engine's low-level mouse hook. The system calls it on the engine's thread for every mouse
// event, and input waits meanwhile, so it only notes what happened and posts a message to the
// engine's window: the buttons held whenever they change, and one "moved" message for a run of
// moves (the next is posted only after the engine took the last position). It draws nothing and
// allocates nothing. One hook per process.
#include <windows.h>

#include <atomic>
#include <cstdint>

// The buttons in the mask posted: bit 0 left, 1 right, 2 middle, 3 and 4 the two X buttons.
class MouseHook {
public:
    MouseHook(UINT buttonsMessage, UINT movedMessage) : buttonsMessage_(buttonsMessage), movedMessage_(movedMessage) {}
    ~MouseHook() { Remove(); }
    MouseHook(const MouseHook&) = delete;
    MouseHook& operator=(const MouseHook&) = delete;

    // Installs the hook for window's thread; true when it is in place (also when it was). Buttons()
    // then starts from the buttons held at that moment.
    bool Install(HWND window);
    void Remove();
    bool Installed() const { return hook_ != nullptr; }

    // Whether moves are posted at all (the buttons always are).
    void WatchMoves(bool on) { watchMoves_ = on; }
    // The engine took the position: the next move posts again.
    POINT TakePosition();
    uint32_t Buttons() const { return buttons_; }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM message, LPARAM data);
    void Note(WPARAM message, const MSLLHOOKSTRUCT& event);

    static MouseHook* active_;
    const UINT buttonsMessage_;
    const UINT movedMessage_;
    HHOOK hook_ = nullptr;
    HWND window_ = nullptr;
    std::atomic<uint32_t> buttons_{0};
    std::atomic<bool> watchMoves_{false};
    std::atomic<bool> movePosted_{false};
    std::atomic<long> x_{0};
    std::atomic<long> y_{0};
};
