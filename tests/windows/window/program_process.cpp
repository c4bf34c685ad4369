#include "program_process.h"

// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include <fstream>

namespace velmora::testing {
namespace {

const std::string kVelmora = windows_path(VELMORA_EXE);
const std::string kBrowserRecord = windows_path(std::string(BROWSER_DIR) + "/opened.log");

struct FindTopLevel {
    DWORD process_id;
    const char* class_name;
    const std::function<bool(HWND)>* accept;
    HWND found = nullptr;
};

BOOL CALLBACK find_top_level_one(HWND hwnd, LPARAM data) {
    auto* find = reinterpret_cast<FindTopLevel*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (pid == find->process_id && std::string(name) == find->class_name && IsWindowVisible(hwnd) &&
        (!*find->accept || (*find->accept)(hwnd))) {
        find->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct ChildrenOfClass {
    const char* class_name;
    std::vector<HWND> found;
};

BOOL CALLBACK child_of_class(HWND hwnd, LPARAM data) {
    auto* children = reinterpret_cast<ChildrenOfClass*>(data);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, children->class_name) == 0) children->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::string windows_path(const std::string& unix_path) {
    std::string path = "Z:" + unix_path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

bool wait_until(const std::function<bool()>& condition, HANDLE process, ULONGLONG limit_ms) {
    ULONGLONG deadline = GetTickCount64() + limit_ms;
    while (!condition()) {
        if (GetTickCount64() > deadline) return false;
        DWORD handles = process != nullptr ? 1 : 0;
        // An ended process would wake every wait at once: time only, from then on.
        if (MsgWaitForMultipleObjects(handles, &process, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0 &&
            handles == 1) {
            process = nullptr;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return true;
}

const std::string& velmora_exe() {
    return kVelmora;
}

int count_processes(const char* exe_name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exe_name) == 0) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

HWND find_top_level(DWORD process_id, const char* class_name,
                    const std::function<bool(HWND)>& accept) {
    FindTopLevel find{process_id, class_name, &accept};
    EnumWindows(find_top_level_one, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

std::vector<HWND> children_of_class(HWND parent, const char* class_name) {
    ChildrenOfClass children{class_name, {}};
    EnumChildWindows(parent, child_of_class, reinterpret_cast<LPARAM>(&children));
    return children.found;
}

std::string text_of(HWND window) {
    char text[1024] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 10000, &got);
    return text;
}

void press_keys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void click(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    click_at({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void click_at(POINT point, int clicks) {
    SetCursorPos(point.x, point.y);
    std::vector<INPUT> inputs;
    for (int i = 0; i < clicks; ++i) {
        for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = flag;
            inputs.push_back(input);
        }
    }
    // One call, so that no input of anyone else's comes between the presses.
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND active_window_of(DWORD thread_id) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_id, &info) ? info.hwndActive : nullptr;
}

std::vector<std::string> browser_record() {
    std::vector<std::string> lines;
    std::ifstream log(kBrowserRecord);
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    return lines;
}

ProgramProcess::~ProgramProcess() {
    if (info_.hProcess == nullptr) return;
    if (!ended()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

::testing::AssertionResult ProgramProcess::start(const std::string& program,
                                                 const std::string& arguments,
                                                 const std::string& folder) {
    std::string command = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
        return ::testing::AssertionFailure()
               << "cannot start " << program << ": error " << GetLastError();
    }
    return ::testing::AssertionSuccess();
}

bool ProgramProcess::ended() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD ProgramProcess::wait_for_exit(ULONGLONG limit_ms) const {
    if (!wait_until([&] { return ended(); }, info_.hProcess, limit_ms)) return 12345;
    DWORD status = 12345;
    GetExitCodeProcess(info_.hProcess, &status);
    return status;
}

void VelmoraProcessTest::SetUp() {
    // Wine runs xdg-open with the environment Wine itself was started with,
    // so the stand-in cannot be told per test where to write.
    ASSERT_TRUE(wait_for_browser_quiet());
    DeleteFileA(kBrowserRecord.c_str());
}

void VelmoraProcessTest::start_velmora(const std::string& folder, const std::string& arguments) {
    ASSERT_TRUE(program_.start(kVelmora, arguments, folder));
    // Idle first at its message loop, when the window has been shown.
    ASSERT_EQ(WaitForInputIdle(program_.handle(), 30000), 0u);
    ASSERT_TRUE(wait_until(
        [&] { return (main_ = find_top_level(program_.id(), "VelmoraMainWindow")) != nullptr; },
        program_.handle()));
}

void VelmoraProcessTest::click_banner(int clicks, int place) const {
    RECT banner;
    GetWindowRect(control(Control::图片框1), &banner);
    click_at({banner.left + 20 + 40 * place, (banner.top + banner.bottom) / 2}, clicks);
}

std::string VelmoraProcessTest::text_in(Control c) const {
    return text_of(control(c));
}

void VelmoraProcessTest::set_text(Control c, const std::string& text) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control(c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 10000, &result);
}

DWORD VelmoraProcessTest::close_and_wait() {
    PostMessageA(main_, WM_CLOSE, 0, 0);
    return program_.wait_for_exit();
}

bool VelmoraProcessTest::wait_for_browser_quiet() {
    return wait_until([] { return count_processes("winebrowser.exe") == 0; });
}

bool VelmoraProcessTest::wait_for_opened(std::size_t count) {
    return wait_until([&] { return browser_record().size() >= count; }, program_.handle());
}

}  // namespace velmora::testing
