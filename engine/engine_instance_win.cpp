#include "engine/engine_instance_win.h"

#include <algorithm>

#include "engine/engine_log_win.h"
#include "engine/engine_protocol.h"

namespace {

constexpr DWORD kPollMs = 50;

}  // namespace

EngineInstance::~EngineInstance() {
    if (owned_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
}

EngineStart EngineInstance::StartOrHandOver(bool restore, DWORD timeoutMs) {
    mutex_ = CreateMutexW(nullptr, FALSE, kEngineMutexName);
    if (!mutex_) {
        enginelog::Line("the engine's mutex cannot be made (error " + std::to_string(GetLastError()) + ")");
        return EngineStart::kFailed;
    }
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        // Free, or left by an engine that was killed: this process is the engine now.
        const DWORD wait = WaitForSingleObject(mutex_, 0);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
            owned_ = true;
            if (wait == WAIT_ABANDONED) enginelog::Line("the last engine ended without cleaning up; taking over");
            return EngineStart::kEngine;
        }
        // The running engine takes the request through its window once it has one.
        if (HWND engine = FindWindowW(enginemsg::kWindowClass, nullptr)) {
            DWORD_PTR answer = 0;
            const UINT message = restore ? enginemsg::kRestore : enginemsg::kReload;
            const DWORD left = DWORD(std::max<LONGLONG>(LONGLONG(deadline) - LONGLONG(GetTickCount64()), 1000));
            if (SendMessageTimeoutW(engine, message, 0, 0, SMTO_ABORTIFHUNG, left, &answer)) {
                enginelog::Line(restore ? "handed the restore to the running engine"
                                        : "handed the reload to the running engine");
                return EngineStart::kHandedOver;
            }
        }
        if (GetTickCount64() >= deadline) {
            enginelog::Line("a running engine did not answer; giving up");
            return EngineStart::kFailed;
        }
        Sleep(kPollMs);
    }
}
