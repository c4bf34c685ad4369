#include "ui/fatal.h"

#include <windows.h>

#include <cstdio>

namespace velmora {

void fatal_error(const char* message) {
    char text[1024];
    std::snprintf(text, sizeof text, "运行时出错!\n\n错误信息：%s\n", message);
    MessageBoxA(nullptr, text, "错误", MB_OK | MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace velmora
