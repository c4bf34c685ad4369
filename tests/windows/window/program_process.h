#pragma once
// A program of ours started as a process of its own and watched from this
// one, as a user's eyes would: its windows are found by process id and class,
// their texts are read across processes (Wine marshals WM_GETTEXT), and the
// web addresses it hands to the browser are recorded by the stand-in
// xdg-open that Wine hands them to.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/main_window.h"

namespace velmora::testing {

// The Windows name of a file of the build (Wine's drive Z: is the Unix root).
std::string windows_path(const std::string& unix_path);

// The Windows name of the velmora.exe of this build.
const std::string& velmora_exe();

// Checks the condition until it holds or the time is up. Between checks this
// thread handles its own messages, so that windows of the test stay
// responsive, and a given process's end is seen at once.
bool wait_until(const std::function<bool()>& condition, HANDLE process = nullptr,
                ULONGLONG limit_ms = 30000);

int count_processes(const char* exe_name);

// A visible top-level window of the process with that class, for which
// `accept` holds (any, without it). Null when there is none.
HWND find_top_level(DWORD process_id, const char* class_name,
                    const std::function<bool(HWND)>& accept = {});

// The direct and deeper children of a window with that class.
std::vector<HWND> children_of_class(HWND parent, const char* class_name);

// The text of a window of any process.
std::string text_of(HWND window);

// Real key presses (down and up each), to whichever window has the focus.
void press_keys(const std::vector<WORD>& keys);

// A real left click in the middle of the window.
void click(HWND window);

// Real left clicks, one after the other, at a point of the screen.
void click_at(POINT point, int clicks = 1);

// The active window of a thread of any process, as the system keeps it.
HWND active_window_of(DWORD thread_id);

// The addresses asked of the stand-in browser, one a line.
std::vector<std::string> browser_record();

// A process started from a program file; ended by force if it is still
// running when the object goes.
class ProgramProcess {
public:
    ProgramProcess() = default;
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // The arguments follow the program's quoted name on its command line.
    ::testing::AssertionResult start(const std::string& program, const std::string& arguments,
                                     const std::string& folder = std::string());
    HANDLE handle() const { return info_.hProcess; }
    DWORD id() const { return info_.dwProcessId; }
    DWORD main_thread() const { return info_.dwThreadId; }
    bool ended() const;
    // The exit status once ended within the time; 12345 when it runs on.
    DWORD wait_for_exit(ULONGLONG limit_ms = 30000) const;

private:
    PROCESS_INFORMATION info_{};
};

// velmora.exe running with its main window up. Its hand-overs to the
// browser are recorded for this test alone: the tests that start programs
// take turns (a lock in the build), and each starts with an empty record
// once the last one's hand-overs are through.
class VelmoraProcessTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Starts velmora.exe and waits for its main window. The arguments follow
    // the program's quoted name on its command line.
    void start_velmora(const std::string& folder = std::string(),
                       const std::string& arguments = std::string());

    HWND control(Control c) const { return GetDlgItem(main_, control_id(c)); }
    std::string text_in(Control c) const;
    void set_text(Control c, const std::string& text) const;
    HWND active_window() const { return active_window_of(program_.main_thread()); }

    // Real left clicks on the banner, at a place of its own for each `place`:
    // presses within the double-click time and rectangle of the one before
    // would make a double click.
    void click_banner(int clicks, int place) const;

    // Asks the window to close and gives the exit status.
    DWORD close_and_wait();
    // Every hand-over to the browser has reached it.
    bool wait_for_browser_quiet();
    bool wait_for_opened(std::size_t count);

    ProgramProcess program_;
    HWND main_ = nullptr;
};

}  // namespace velmora::testing
