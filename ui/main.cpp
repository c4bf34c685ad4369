#include <windows.h>

#include "ui/program.h"

// The command line is not read: every setting is typed into the window.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return velmora::run_program(instance);
}
