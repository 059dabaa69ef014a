// A stand-in for the cursor engine, used only by the tests and never shipped: Morvanta.exe with a
// top-level window of class "Tolvaris" that writes down how it was started and every application
// message it receives, so that a test can see what the settings tool told the engine.
//
// The log is engine.log beside the program, one line per event, appended:
//   start <command line arguments>
//   posted <message> <wParam> <lParam>      (or "sent" for a message sent from another thread)
// WM_CLOSE ends it.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring gLogPath;

void Log(const std::string& line) {
    FILE* file = _wfopen(gLogPath.c_str(), L"ab");
    if (!file) return;
    std::fputs(line.c_str(), file);
    std::fputc('\n', file);
    std::fclose(file);
}

std::string Narrow(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &result[0], size, nullptr, nullptr);
    return result;
}

LRESULT CALLBACK EngineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && message < 0x8000) {
        Log(std::string(InSendMessage() ? "sent " : "posted ") + std::to_string(message) + " " +
            std::to_string(static_cast<unsigned long long>(wParam)) + " " +
            std::to_string(static_cast<long long>(lParam)));
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR arguments, int) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder = folder.substr(0, folder.find_last_of(L"\\/"));
    gLogPath = folder + L"\\engine.log";
    Log("start " + Narrow(arguments ? arguments : L""));

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = EngineProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"Tolvaris";
    RegisterClassW(&windowClass);
    // A hidden top-level window, as the engine has: found by its class, never shown.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"Tolvaris", L"Morvanta engine (test)", WS_POPUP, 0, 0, 1, 1,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
