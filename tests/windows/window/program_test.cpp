// velmora.exe started as a process of its own, and watched from this one:
// its window's controls are read across processes (Wine marshals WM_GETTEXT),
// its presses on the banner are real mouse input, and the web addresses it
// opens are recorded by a stand-in xdg-open, which Wine hands them to.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../temp_tree.h"
#include "ui/main_window.h"
#include "ui/shell.h"
#include "ui/site.h"

namespace velmora::testing {
namespace {

std::string windows_path(const std::string& unix_path) {
    std::string path = "Z:" + unix_path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

const std::string kProgram = windows_path(VELMORA_EXE);

// Checks the condition until it holds or the time is up; the wait between
// checks is on the process, so its end is seen at once.
bool wait_until(HANDLE process, const std::function<bool()>& condition,
                ULONGLONG limit_ms = 30000) {
    ULONGLONG deadline = GetTickCount64() + limit_ms;
    while (!condition()) {
        if (GetTickCount64() > deadline) return false;
        WaitForSingleObject(process, 20);
    }
    return true;
}

struct FindMain {
    DWORD process_id;
    HWND found = nullptr;
};

BOOL CALLBACK find_main(HWND hwnd, LPARAM data) {
    auto* find = reinterpret_cast<FindMain*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (pid == find->process_id && std::string(name) == "VelmoraMainWindow" &&
        IsWindowVisible(hwnd)) {
        find->found = hwnd;
        return FALSE;
    }
    return TRUE;
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

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        // Wine runs xdg-open with the environment Wine itself was started
        // with, so the stand-in cannot be told per test where to write: the
        // tests that start the program take turns (a lock in the build), and
        // each starts with an empty record once the last one's hand-overs
        // are through.
        ASSERT_TRUE(wait_for_browser_quiet());
        DeleteFileA(log_.c_str());
    }

    void TearDown() override {
        if (process_.hProcess != nullptr) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 99);
            }
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }

    void start(const std::string& arguments, const std::string& folder) {
        std::string command = "\"" + kProgram + "\"" + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(kProgram.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, folder.c_str(), &startup, &process_))
            << GetLastError();
        // Idle first at its message loop, when the window has been shown.
        ASSERT_EQ(WaitForInputIdle(process_.hProcess, 30000), 0u);
        FindMain find{process_.dwProcessId};
        ASSERT_TRUE(wait_until(process_.hProcess, [&] {
            find.found = nullptr;
            EnumWindows(find_main, reinterpret_cast<LPARAM>(&find));
            return find.found != nullptr;
        }));
        main_ = find.found;
    }

    HWND control(Control c) const { return GetDlgItem(main_, control_id(c)); }

    std::string text_of(Control c) const {
        char text[1024] = {};
        DWORD_PTR got = 0;
        SendMessageTimeoutA(control(c), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 10000, &got);
        return text;
    }

    std::vector<std::string> opened() const {
        std::vector<std::string> lines;
        std::ifstream log(log_);
        for (std::string line; std::getline(log, line);) lines.push_back(line);
        return lines;
    }

    bool wait_for_opened(std::size_t count) {
        return wait_until(process_.hProcess, [&] { return opened().size() >= count; });
    }

    // Everything that was asked of the browser has reached it: no browser
    // hand-over of Wine's is still under way.
    bool wait_for_browser_quiet() {
        return wait_until(process_.hProcess,
                          [] { return count_processes("winebrowser.exe") == 0; });
    }

    // Real mouse input on the banner, at a place of its own for each call:
    // presses within the double-click time and rectangle of the one before
    // would make a double click.
    void click_banner(int clicks, int place) {
        RECT banner;
        GetWindowRect(control(Control::图片框1), &banner);
        SetCursorPos(banner.left + 20 + 40 * place, (banner.top + banner.bottom) / 2);
        std::vector<INPUT> inputs;
        for (int i = 0; i < clicks; ++i) {
            for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
                INPUT input{};
                input.type = INPUT_MOUSE;
                input.mi.dwFlags = flag;
                inputs.push_back(input);
            }
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    DWORD close_and_wait() {
        PostMessageA(main_, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(process_.hProcess, 30000), WAIT_OBJECT_0);
        DWORD status = 12345;
        GetExitCodeProcess(process_.hProcess, &status);
        return status;
    }

    const std::string log_ = windows_path(std::string(BROWSER_DIR) + "/opened.log");
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

TEST_F(ProgramRun, ShowsItsOwnFolderWhateverItWasStartedFromAndIgnoresArguments) {
    TempTree elsewhere;
    start(" C:\\ --folder=C:\\windows *.txt", elsewhere.ansi(L""));
    EXPECT_EQ(text_of(Control::编辑框1), folder_part(kProgram));
    EXPECT_EQ(text_of(Control::编辑框4), "*.*");
    EXPECT_EQ(close_and_wait(), 0u);
    EXPECT_TRUE(wait_for_browser_quiet());
}

TEST_F(ProgramRun, OpensTheSiteAtStartAndOncePerPressOnTheBanner) {
    TempTree elsewhere;
    start("", elsewhere.ansi(L""));
    ASSERT_TRUE(wait_for_opened(1));
    EXPECT_EQ(opened()[0], site_address());

    click_banner(1, 0);
    ASSERT_TRUE(wait_for_opened(2));
    // The second press of a double click is a double click: one opening.
    click_banner(2, 1);
    ASSERT_TRUE(wait_for_opened(3));
    click_banner(1, 2);
    ASSERT_TRUE(wait_for_opened(4));

    EXPECT_EQ(close_and_wait(), 0u);
    ASSERT_TRUE(wait_for_browser_quiet());
    EXPECT_EQ(opened(), std::vector<std::string>(4, site_address()));
}

TEST_F(ProgramRun, EndsWithStatusZeroWhenClosedDuringAScan) {
    TempTree tree;
    for (int i = 0; i < 200; ++i) tree.file(L"d" + std::to_wstring(i) + L"\\f.txt", "");
    start("", tree.ansi(L""));
    std::string folder = tree.ansi(L"");
    SendMessageA(control(Control::编辑框1), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(folder.c_str()));
    ASSERT_EQ(text_of(Control::编辑框1), folder);
    SendMessageA(control(Control::选择框1), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(control(Control::按钮4), BM_CLICK, 0, 0);
    EXPECT_EQ(close_and_wait(), 0u);
    EXPECT_TRUE(wait_for_browser_quiet());
}

}  // namespace
}  // namespace velmora::testing
