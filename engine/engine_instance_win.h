#pragma once
// One engine per user session: the engine holds a named mutex for its whole life. A second start
// finds it held and hands its request to the running engine's window instead: a reload, or the
// restore message. A killed engine leaves the mutex abandoned, which the next start takes over.
#include <windows.h>

// In the session's namespace: each logged-on user runs an engine of their own.
constexpr wchar_t kEngineMutexName[] = L"Local\\MorvantaEngineMutex";

enum class EngineStart {
    kEngine,      // this process holds the mutex: it is the engine
    kHandedOver,  // the running engine took the request
    kFailed,      // an engine holds the mutex but its window did not answer in time
};

class EngineInstance {
public:
    EngineInstance() = default;
    ~EngineInstance();
    EngineInstance(const EngineInstance&) = delete;
    EngineInstance& operator=(const EngineInstance&) = delete;

    // Becomes the engine, or hands the request (restore or reload) to the running one. Waits up
    // to timeoutMs for a running engine to show its window or to end.
    EngineStart StartOrHandOver(bool restore, DWORD timeoutMs);

private:
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
};
