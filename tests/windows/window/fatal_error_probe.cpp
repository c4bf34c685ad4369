// A stand-in for velmora.exe that runs into one of its fatal errors, so that
// a test can watch the error box and the exit status from outside. It is
// linked like the program, with the program's own allocation functions.
//
//   fatal_error_probe memory N   asks for N bytes through operator new
//   fatal_error_probe window     runs the program while no window of the
//                                main window's class can be created
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "ui/program.h"

namespace {

// Seen from outside, so that the compiler cannot leave the allocation out.
char* volatile block = nullptr;

// Refuses the main window, as a system out of window resources would.
LRESULT CALLBACK refuse_main_window(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        char name[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wparam), name, sizeof name);
        if (std::strcmp(name, "VelmoraMainWindow") == 0) return 1;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    if (std::strncmp(command_line, "memory ", 7) == 0) {
        std::size_t size = std::strtoull(command_line + 7, nullptr, 10);
        block = new char[size];
        return 3;  // the allocation was granted: nothing to watch
    }
    if (std::strcmp(command_line, "window") == 0) {
        if (!SetWindowsHookExA(WH_CBT, refuse_main_window, nullptr, GetCurrentThreadId())) return 4;
        return velmora::run_program(instance);
    }
    return 2;
}
