// wineprobe.exe: the Wine tests' eyes and hands inside the Windows session. It finds and reads
// message boxes and the main window, presses buttons, forwards arguments as a second start does,
// holds the foreground or a file lock, reads and chooses in combo boxes, names languages, reads
// or writes the registry in a chosen view, and breaks a program's dialog template.
// Results are printed as one line of JSON (UTF-8); the exit code is 0 on success, 1 on time-out
// or failure, 2 on bad usage.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "tests/wine/probe/engine_probe_win.h"

namespace {

std::string Json(const std::wstring& text) {
    std::string out = "\"";
    for (unsigned char c : text::Utf16ToUtf8(text)) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += char(c);
                }
        }
    }
    return out + "\"";
}

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The window's text as the window itself answers it: GetWindowText reads only the caption the
// system keeps for a window of another process, not an edit control's content.
std::wstring WindowText(HWND window) {
    wchar_t buffer[4096] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                             &copied))
        GetWindowTextW(window, buffer, 4096);
    return buffer;
}

std::string HandleJson(HWND window) {
    return std::to_string(reinterpret_cast<uintptr_t>(window));
}

HWND ParseHandle(const wchar_t* text) {
    return reinterpret_cast<HWND>(uintptr_t(_wcstoui64(text, nullptr, 10)));
}

DWORD WindowProcessId(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// A message box: a visible top-level dialog with the static text control 0xFFFF.
HWND FindMessageBox(const std::wstring& caption) {
    HWND candidate = nullptr;
    while ((candidate = FindWindowExW(nullptr, candidate, L"#32770", nullptr)) != nullptr) {
        if (!IsWindowVisible(candidate) || !GetDlgItem(candidate, 0xFFFF)) continue;
        if (!caption.empty() && WindowText(candidate) != caption) continue;
        return candidate;
    }
    return nullptr;
}

// The main window as a second start finds it: a dialog whose user data is non-zero.
// The main window once it is shown (it carries its marker from the start of its set-up on).
HWND FindMainWindow() {
    HWND candidate = nullptr;
    while ((candidate = FindWindowExW(nullptr, candidate, L"#32770", nullptr)) != nullptr)
        if (GetWindowLongPtrW(candidate, GWLP_USERDATA) != 0 && IsWindowVisible(candidate)) return candidate;
    return nullptr;
}

template <typename Find>
HWND WaitFor(double seconds, Find find) {
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(seconds * 1000);
    for (;;) {
        if (HWND found = find()) return found;
        if (GetTickCount64() >= deadline) return nullptr;
        Sleep(50);
    }
}

std::string MessageBoxJson(HWND box) {
    wchar_t text[8192] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 8192);
    return "{\"hwnd\":" + HandleJson(box) + ",\"caption\":" + Json(WindowText(box)) + ",\"text\":" + Json(text) +
           ",\"pid\":" + std::to_string(WindowProcessId(box)) + "}";
}

HKEY RootKey(const std::wstring& name) {
    if (name == L"HKCU" || name == L"HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
    if (name == L"HKLM" || name == L"HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
    if (name == L"HKCR" || name == L"HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
    if (name == L"HKU" || name == L"HKEY_USERS") return HKEY_USERS;
    return nullptr;
}

// "ROOT\sub\key" into root and sub-key.
bool SplitKey(const std::wstring& path, HKEY& root, std::wstring& subKey) {
    const size_t slash = path.find(L'\\');
    root = RootKey(path.substr(0, slash));
    subKey = slash == std::wstring::npos ? L"" : path.substr(slash + 1);
    return root != nullptr;
}

REGSAM ViewFlag(int argc, wchar_t** argv) {
    for (int i = 0; i + 1 < argc; ++i)
        if (std::wstring(argv[i]) == L"--view")
            return std::wstring(argv[i + 1]) == L"32" ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    return 0;
}

std::wstring Option(int argc, wchar_t** argv, const wchar_t* name, const wchar_t* fallback) {
    for (int i = 0; i + 1 < argc; ++i)
        if (std::wstring(argv[i]) == name) return argv[i + 1];
    return fallback;
}

int Usage() {
    std::fputs(
        "usage: wineprobe msgbox|no-msgbox|press|main-window|forward|start-association|foreground|\n"
        "       take-foreground|close|post|send|\n"
        "       wait-gone|folder|reg-get|reg-set-dword|reg-set-string|reg-set-binary|reg-delete-tree|lock-file|\n"
        "       combo|combo-choose|language-name|item|hotkey|close-class|end-programs|break-dialog|\n"
        "       engine-window|engine-gone|reversed-reload|cursor-file|hold-hotkey\n",
        stderr);
    return 2;
}

int CmdMessageBox(int argc, wchar_t** argv) {
    const double timeout = _wtof(Option(argc, argv, L"--timeout", L"10").c_str());
    const std::wstring caption = Option(argc, argv, L"--caption", L"");
    HWND box = WaitFor(timeout, [&] { return FindMessageBox(caption); });
    if (!box) return 1;
    PrintLine(MessageBoxJson(box));
    return 0;
}

int CmdNoMessageBox(int argc, wchar_t** argv) {
    const double seconds = argc > 2 ? _wtof(argv[2]) : 1.0;
    HWND box = WaitFor(seconds, [] { return FindMessageBox(L""); });
    if (!box) return 0;
    PrintLine(MessageBoxJson(box));
    return 1;
}

int CmdPress(int argc, wchar_t** argv) {
    if (argc < 4) return Usage();
    HWND dialog = ParseHandle(argv[2]);
    const int id = _wtoi(argv[3]);
    HWND button = GetDlgItem(dialog, id);
    if (!IsWindow(dialog)) return 1;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return 0;
}

// A window as JSON, with its client area's place on the screen (where X input must go).
std::string WindowJson(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return "{\"hwnd\":" + HandleJson(window) + ",\"pid\":" + std::to_string(WindowProcessId(window)) +
           ",\"title\":" + Json(WindowText(window)) +
           ",\"userData\":" + std::to_string(GetWindowLongPtrW(window, GWLP_USERDATA)) +
           ",\"clientWidth\":" + std::to_string(client.right) + ",\"clientHeight\":" + std::to_string(client.bottom) +
           ",\"clientLeft\":" + std::to_string(origin.x) + ",\"clientTop\":" + std::to_string(origin.y) + "}";
}

int CmdMainWindow(int argc, wchar_t** argv) {
    const double timeout = _wtof(Option(argc, argv, L"--timeout", L"20").c_str());
    HWND window = WaitFor(timeout, FindMainWindow);
    if (!window) return 1;
    PrintLine(WindowJson(window));
    return 0;
}

// Every sub-key and value below a key, as {"path": {"value name": "type:hex", ...}} with paths
// relative to the key; {} when the key does not exist.
void DumpTree(HKEY key, const std::wstring& path, std::string& out) {
    out += (out.size() > 1 ? "," : "") + Json(path) + ":{";
    wchar_t name[16384];
    BYTE data[65536];
    bool first = true;
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = 16384, dataSize = sizeof data, type = 0;
        if (RegEnumValueW(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        std::string hex = std::to_string(type) + ":";
        for (DWORD b = 0; b < dataSize; ++b) {
            char byte[3];
            std::snprintf(byte, sizeof byte, "%02x", data[b]);
            hex += byte;
        }
        out += (first ? "" : ",") + Json(name) + ":\"" + hex + "\"";
        first = false;
    }
    out += "}";
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = 16384;
        if (RegEnumKeyExW(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY child;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        DumpTree(child, path.empty() ? name : path + L"\\" + name, out);
        RegCloseKey(child);
    }
}

int CmdRegTree(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    HKEY root;
    std::wstring subKey;
    if (!SplitKey(argv[2], root, subKey)) return Usage();
    HKEY key;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ | ViewFlag(argc, argv), &key) != ERROR_SUCCESS) {
        PrintLine("{}");
        return 0;
    }
    std::string out = "{";
    DumpTree(key, L"", out);
    RegCloseKey(key);
    PrintLine(out + "}");
    return 0;
}

// Opens a file with the shell's default action, as a double click in the file manager does.
int CmdShellOpen(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.lpFile = argv[2];
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) ? 0 : 1;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The program a command line runs by the system's rule: the quoted text when it starts with a
// quote; else the text up to the first space (or the end) before which it names a file, as it is
// or with ".exe" added. Empty when there is none.
std::wstring ProgramOfCommandLine(const std::wstring& command) {
    if (!command.empty() && command[0] == L'"') {
        const size_t end = command.find(L'"', 1);
        return end == std::wstring::npos ? std::wstring() : command.substr(1, end - 1);
    }
    for (size_t end = command.find(L' ');; end = command.find(L' ', end + 1)) {
        const std::wstring candidate = command.substr(0, end);
        if (IsFile(candidate)) return candidate;
        if (IsFile(candidate + L".exe")) return candidate + L".exe";
        if (end == std::wstring::npos) return std::wstring();
    }
}

// start-association FILE: opens FILE the way the system does from its association, without the
// quoting that Wine's own starts add: the open command of the theme files' class (the machine's
// classes; the probe is a 64-bit program) with FILE in place of %1, its program found by the rule for a program path
// that is not quoted, started with that command line unchanged. Prints the program, the command
// line and the process id.
int CmdStartAssociation(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    wchar_t command[4096] = {};
    DWORD size = sizeof command;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Halberon.Morvanta\\shell\\open\\command", nullptr,
                     RRF_RT_REG_SZ, nullptr, command, &size) != ERROR_SUCCESS)
        return 1;
    std::wstring line = command;
    const size_t slot = line.find(L"%1");
    if (slot != std::wstring::npos) line.replace(slot, 2, argv[2]);
    const std::wstring program = ProgramOfCommandLine(line);
    if (program.empty()) return 1;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<wchar_t> writable(line.begin(), line.end());
    writable.push_back(L'\0');
    if (!CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    PrintLine("{\"program\":" + Json(program) + ",\"commandLine\":" + Json(line) +
              ",\"pid\":" + std::to_string(process.dwProcessId) + "}");
    return 0;
}

// Posts WM_CLOSE to every top-level window of a class and waits until none is left.
int CmdCloseClass(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    const std::wstring windowClass = argv[2];
    const double timeout = argc > 3 ? _wtof(argv[3]) : 10;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass.c_str(), nullptr)) != nullptr;)
        PostMessageW(window, WM_CLOSE, 0, 0);
    HWND left =
        WaitFor(timeout, [&]() -> HWND { return FindWindowW(windowClass.c_str(), nullptr) ? nullptr : HWND(1); });
    return left ? 0 : 1;
}

// The ids of the running processes whose program file has one of the names (ignoring case).
std::vector<DWORD> ProcessesNamed(const std::vector<std::wstring>& names) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        for (const std::wstring& name : names)
            if (_wcsicmp(entry.szExeFile, name.c_str()) == 0) ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

BOOL CALLBACK CloseWindowOfProcess(HWND window, LPARAM process) {
    if (WindowProcessId(window) == DWORD(process)) PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// end-programs NAME... [--timeout S]: asks every process of those program names to close (WM_CLOSE
// to each of its top-level windows, again and again: a process still starting has none yet) and
// waits until none is left; what is left after the time-out is ended. Prints {"ended": N} with the
// number of processes that had to be ended; exit code 1 when there were any.
int CmdEndPrograms(int argc, wchar_t** argv) {
    std::vector<std::wstring> names;
    for (int i = 2; i < argc; ++i) {
        if (std::wstring(argv[i]) == L"--timeout") {
            ++i;
            continue;
        }
        names.push_back(argv[i]);
    }
    if (names.empty()) return Usage();
    const double timeout = _wtof(Option(argc, argv, L"--timeout", L"20").c_str());
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(timeout * 1000);
    std::vector<DWORD> left;
    while (!(left = ProcessesNamed(names)).empty() && GetTickCount64() < deadline) {
        for (DWORD id : left) EnumWindows(CloseWindowOfProcess, LPARAM(id));
        Sleep(100);
    }
    for (DWORD id : left) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    PrintLine("{\"ended\":" + std::to_string(left.size()) + "}");
    return left.empty() ? 0 : 1;
}

// A visible top-level window of the given title.
int CmdWindow(int argc, wchar_t** argv) {
    const std::wstring title = Option(argc, argv, L"--title", L"");
    const double timeout = _wtof(Option(argc, argv, L"--timeout", L"20").c_str());
    HWND window = WaitFor(timeout, [&]() -> HWND {
        HWND found = FindWindowW(nullptr, title.c_str());
        return found && IsWindowVisible(found) ? found : nullptr;
    });
    if (!window) return 1;
    PrintLine(WindowJson(window));
    return 0;
}

// Sends each argument text exactly as a second start does, one right after the other.
int CmdForward(int argc, wchar_t** argv) {
    HWND window = FindMainWindow();
    if (!window) return 1;
    for (int i = 2; i < argc; ++i) {
        const std::wstring argument = argv[i];
        COPYDATASTRUCT data = {};
        data.cbData = DWORD((argument.size() + 1) * sizeof(wchar_t));
        data.lpData = const_cast<wchar_t*>(argument.c_str());
        SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }
    return 0;
}

int CmdForeground(int, wchar_t**) {
    HWND window = GetForegroundWindow();
    PrintLine("{\"hwnd\":" + HandleJson(window) + ",\"pid\":" + std::to_string(WindowProcessId(window)) +
              ",\"title\":" + Json(WindowText(window)) + "}");
    return 0;
}

// Shows a window of its own in the foreground for the given seconds.
int CmdTakeForeground(int argc, wchar_t** argv) {
    const double seconds = argc > 2 ? _wtof(argv[2]) : 5.0;
    HWND window = CreateWindowExW(0, L"STATIC", L"probe foreground", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window);
    PrintLine("{\"hwnd\":" + HandleJson(window) + "}");
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(seconds * 1000);
    MSG message;
    while (GetTickCount64() < deadline) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(20);
    }
    DestroyWindow(window);
    return 0;
}

// Ends a dialog the way its close button does.
int CmdClose(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    HWND window = ParseHandle(argv[2]);
    if (!IsWindow(window)) return 1;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return 0;
}

// post|send WINDOW MESSAGE WPARAM [LPARAM]: posts (or sends, waiting at most 20 s, and prints the
// answer) a message to a window, as another program or the system may.
int CmdPostOrSend(int argc, wchar_t** argv) {
    if (argc < 5) return Usage();
    HWND window = ParseHandle(argv[2]);
    const UINT message = UINT(_wcstoui64(argv[3], nullptr, 0));
    const WPARAM wParam = WPARAM(_wcstoui64(argv[4], nullptr, 0));
    const LPARAM lParam = argc > 5 ? LPARAM(_wcstoi64(argv[5], nullptr, 0)) : 0;
    if (std::wstring(argv[1]) == L"post") return PostMessageW(window, message, wParam, lParam) ? 0 : 1;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 20000, &answer)) return 1;
    std::printf("{\"answer\":%llu}\n", static_cast<unsigned long long>(answer));
    return 0;
}

int CmdWaitGone(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    HWND window = ParseHandle(argv[2]);
    const double seconds = argc > 3 ? _wtof(argv[3]) : 10.0;
    return WaitFor(seconds, [&] { return IsWindow(window) ? nullptr : HWND(1); }) ? 0 : 1;
}

int CmdFolder(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, _wtoi(argv[2]), nullptr, SHGFP_TYPE_CURRENT, path))) return 1;
    PrintLine(Json(path));
    return 0;
}

int CmdRegGet(int argc, wchar_t** argv) {
    if (argc < 4) return Usage();
    HKEY root;
    std::wstring subKey;
    if (!SplitKey(argv[2], root, subKey)) return Usage();
    HKEY key;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE | ViewFlag(argc, argv), &key) != ERROR_SUCCESS) {
        PrintLine("{\"exists\":false,\"keyExists\":false}");
        return 0;
    }
    DWORD type = 0, size = 0;
    const wchar_t* name = argv[3][0] ? argv[3] : nullptr;
    LONG status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    std::vector<BYTE> data(size + 2);
    if (status == ERROR_SUCCESS) status = RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        PrintLine("{\"exists\":false,\"keyExists\":true}");
        return 0;
    }
    std::string hex;
    for (DWORD i = 0; i < size; ++i) {
        char byte[3];
        std::snprintf(byte, sizeof byte, "%02x", data[i]);
        hex += byte;
    }
    std::string json = "{\"exists\":true,\"type\":" + std::to_string(type) + ",\"hex\":\"" + hex + "\"";
    if (type == REG_DWORD && size == 4) json += ",\"dword\":" + std::to_string(*reinterpret_cast<DWORD*>(data.data()));
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        json += ",\"string\":" + Json(std::wstring(reinterpret_cast<wchar_t*>(data.data()), size / 2).c_str());
    PrintLine(json + "}");
    return 0;
}

int SetValue(int argc, wchar_t** argv, DWORD type, const BYTE* data, DWORD size) {
    HKEY root;
    std::wstring subKey;
    if (!SplitKey(argv[2], root, subKey)) return Usage();
    HKEY key;
    if (RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | ViewFlag(argc, argv), nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 1;
    const LONG status = RegSetValueExW(key, argv[3][0] ? argv[3] : nullptr, 0, type, data, size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? 0 : 1;
}

int CmdRegSetDword(int argc, wchar_t** argv) {
    if (argc < 5) return Usage();
    const DWORD value = DWORD(_wcstoi64(argv[4], nullptr, 0));
    return SetValue(argc, argv, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
}

int CmdRegSetString(int argc, wchar_t** argv) {
    if (argc < 5) return Usage();
    const std::wstring value = argv[4];
    return SetValue(argc, argv, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                    DWORD((value.size() + 1) * sizeof(wchar_t)));
}

// reg-set-binary KEY VALUE HEXBYTES
int CmdRegSetBinary(int argc, wchar_t** argv) {
    if (argc < 5) return Usage();
    std::vector<BYTE> bytes;
    const std::wstring hex = argv[4];
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(BYTE(wcstoul(hex.substr(i, 2).c_str(), nullptr, 16)));
    return SetValue(argc, argv, REG_BINARY, bytes.data(), DWORD(bytes.size()));
}

int CmdRegDeleteTree(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    HKEY root;
    std::wstring subKey;
    if (!SplitKey(argv[2], root, subKey) || subKey.empty()) return Usage();
    HKEY parent;
    const size_t slash = subKey.rfind(L'\\');
    const std::wstring parentPath = slash == std::wstring::npos ? L"" : subKey.substr(0, slash);
    const std::wstring leaf = slash == std::wstring::npos ? subKey : subKey.substr(slash + 1);
    if (RegOpenKeyExW(root, parentPath.c_str(), 0, KEY_ALL_ACCESS | ViewFlag(argc, argv), &parent) != ERROR_SUCCESS)
        return 0;
    RegDeleteTreeW(parent, leaf.c_str());
    RegDeleteKeyW(parent, leaf.c_str());
    RegCloseKey(parent);
    return 0;
}

// Opens the file exclusively for the given seconds, printing "locked" once it holds it.
int CmdLockFile(int argc, wchar_t** argv) {
    if (argc < 4) return Usage();
    HANDLE file = CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    PrintLine("\"locked\"");
    Sleep(DWORD(_wtof(argv[3]) * 1000));
    CloseHandle(file);
    return 0;
}

// combo WINDOW ID: the items of a dialog's combo box and the selected one (null when none).
int CmdCombo(int argc, wchar_t** argv) {
    if (argc < 4) return Usage();
    HWND box = GetDlgItem(ParseHandle(argv[2]), _wtoi(argv[3]));
    if (!box) return 1;
    std::string items;
    const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        SendMessageW(box, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
        items += (i ? "," : "") + Json(text);
    }
    const LRESULT selected = SendMessageW(box, CB_GETCURSEL, 0, 0);
    std::string selectedJson = "null";
    if (selected != CB_ERR) {
        wchar_t text[512] = {};
        SendMessageW(box, CB_GETLBTEXT, WPARAM(selected), LPARAM(text));
        selectedJson = Json(text);
    }
    PrintLine("{\"items\":[" + items + "],\"selected\":" + selectedJson +
              ",\"visible\":" + (IsWindowVisible(box) ? "true" : "false") +
              ",\"enabled\":" + (IsWindowEnabled(box) ? "true" : "false") + "}");
    return 0;
}

// combo-choose WINDOW ID TEXT: selects the item as the user would and tells the dialog. The
// notification is posted: the dialog may answer it with a modal message box.
int CmdComboChoose(int argc, wchar_t** argv) {
    if (argc < 5) return Usage();
    HWND dialog = ParseHandle(argv[2]);
    const int id = _wtoi(argv[3]);
    HWND box = GetDlgItem(dialog, id);
    if (!box) return 1;
    const LRESULT index = SendMessageW(box, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(argv[4]));
    if (index == CB_ERR) return 1;
    SendMessageW(box, CB_SETCURSEL, WPARAM(index), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    return 0;
}

// language-name ID: the system's display name of a locale identifier, and the user's default one.
int CmdLanguageName(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    wchar_t name[256] = {};
    GetLocaleInfoW(LCID(_wtoi(argv[2])), LOCALE_SLANGUAGE, name, 256);
    PrintLine("{\"name\":" + Json(name) + ",\"userDefault\":" + std::to_string(GetUserDefaultLangID()) + "}");
    return 0;
}

// item DIALOG ID: a dialog control's text and its place on the screen (where X input must go).
int CmdItem(int argc, wchar_t** argv) {
    if (argc < 4) return Usage();
    HWND item = GetDlgItem(ParseHandle(argv[2]), _wtoi(argv[3]));
    if (!item) return 1;
    RECT rect = {};
    GetWindowRect(item, &rect);
    PrintLine("{\"text\":" + Json(WindowText(item)) + ",\"left\":" + std::to_string(rect.left) +
              ",\"top\":" + std::to_string(rect.top) + ",\"right\":" + std::to_string(rect.right) +
              ",\"bottom\":" + std::to_string(rect.bottom) + "}");
    return 0;
}

// hotkey DIALOG ID: the value a hot-key control holds (virtual key in the low byte, modifier flags
// in the high byte).
int CmdHotKey(int argc, wchar_t** argv) {
    if (argc < 4) return Usage();
    HWND item = GetDlgItem(ParseHandle(argv[2]), _wtoi(argv[3]));
    if (!item) return 1;
    const LRESULT value = SendMessageW(item, HKM_GETHOTKEY, 0, 0);
    PrintLine("{\"value\":" + std::to_string(value & 0xFFFF) + "}");
    return 0;
}

// break-dialog EXE ID: replaces every language of the program's dialog template ID with a template
// whose one control is of a class nobody registers, so that creating the dialog fails as it does
// when a control library cannot load. Prints how many templates were replaced.
BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

int CmdBreakDialog(int argc, wchar_t** argv) {
    if (argc < 4) return Usage();
    const WORD id = WORD(_wtoi(argv[3]));
    std::vector<WORD> languages;
    if (HMODULE image = LoadLibraryExW(argv[2], nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        EnumResourceLanguagesW(image, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(id), CollectLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        FreeLibrary(image);
    }
    if (languages.empty()) return 1;

    std::vector<WORD> words;
    auto dword = [&words](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    dword(WS_POPUP | WS_VISIBLE);  // the dialog: no menu, class, title or font
    dword(0);
    words.insert(words.end(), {1, 0, 0, 200, 100, 0, 0, 0});
    if (words.size() % 2) words.push_back(0);  // items start on a DWORD boundary
    dword(WS_CHILD | WS_VISIBLE);
    dword(0);
    words.insert(words.end(), {10, 10, 50, 14, 1000});
    for (const wchar_t* c = L"MorvantaNoSuchClass"; *c; ++c) words.push_back(WORD(*c));
    words.insert(words.end(), {0, 0, 0});  // end of class name, empty title, no creation data

    HANDLE update = BeginUpdateResourceW(argv[2], FALSE);
    if (!update) return 1;
    for (WORD language : languages) {
        if (!UpdateResourceW(update, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(id), language, words.data(),
                             DWORD(words.size() * sizeof(WORD)))) {
            EndUpdateResourceW(update, TRUE);
            return 1;
        }
    }
    if (!EndUpdateResourceW(update, FALSE)) return 1;
    PrintLine("{\"replaced\":" + std::to_string(languages.size()) + "}");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring command = argv[1];
    struct Entry {
        const wchar_t* name;
        int (*run)(int, wchar_t**);
    };
    static const Entry commands[] = {
        {L"msgbox", CmdMessageBox},
        {L"no-msgbox", CmdNoMessageBox},
        {L"press", CmdPress},
        {L"main-window", CmdMainWindow},
        {L"window", CmdWindow},
        {L"close-class", CmdCloseClass},
        {L"end-programs", CmdEndPrograms},
        {L"reg-tree", CmdRegTree},
        {L"shell-open", CmdShellOpen},
        {L"start-association", CmdStartAssociation},
        {L"forward", CmdForward},
        {L"foreground", CmdForeground},
        {L"take-foreground", CmdTakeForeground},
        {L"close", CmdClose},
        {L"post", CmdPostOrSend},
        {L"send", CmdPostOrSend},
        {L"wait-gone", CmdWaitGone},
        {L"folder", CmdFolder},
        {L"reg-get", CmdRegGet},
        {L"reg-set-dword", CmdRegSetDword},
        {L"reg-set-string", CmdRegSetString},
        {L"reg-set-binary", CmdRegSetBinary},
        {L"reg-delete-tree", CmdRegDeleteTree},
        {L"lock-file", CmdLockFile},
        {L"combo", CmdCombo},
        {L"combo-choose", CmdComboChoose},
        {L"language-name", CmdLanguageName},
        {L"item", CmdItem},
        {L"hotkey", CmdHotKey},
        {L"break-dialog", CmdBreakDialog},
    };
    for (const Entry& entry : commands)
        if (command == entry.name) return entry.run(argc, argv);
    int exitCode = 0;
    if (RunEngineCommand(command, argc, argv, exitCode)) return exitCode;
    return Usage();
}
