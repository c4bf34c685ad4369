// Reads Velmora's window from another process, as a user's eyes would: Wine
// passes these messages across processes. Prints to stdout; exit status 1
// when the asked-for state does not come within the time given.
//
//   window_probe wait MS            a visible window titled "Velmora" appears
//   window_probe text ID            the text of the control with that id
//   window_probe checked ID         1 when the check box is ticked, else 0
//   window_probe items              the items of the pending list, one a line
//   window_probe wait-count N MS    the pending list holds N items
//   window_probe gone MS            the window no longer exists
//   window_probe close              asks the window to close
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kListId = 5;  // 列表框1, fifth in creation order

HWND main_window() {
    HWND window = FindWindowA(nullptr, "Velmora");
    return window && IsWindowVisible(window) ? window : nullptr;
}

template <typename Condition>
bool wait_for(int milliseconds, Condition condition) {
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (condition()) return true;
        if (GetTickCount() - start > static_cast<DWORD>(milliseconds)) return false;
    }
}

int item_count() {
    HWND window = main_window();
    if (!window) return -1;
    return static_cast<int>(SendMessageA(GetDlgItem(window, kListId), LB_GETCOUNT, 0, 0));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string command = argv[1];
    int number = argc > 2 ? std::atoi(argv[2]) : 0;
    if (command == "wait") return wait_for(number, [] { return main_window() != nullptr; }) ? 0 : 1;
    if (command == "gone")
        return wait_for(number, [] { return !FindWindowA(nullptr, "Velmora"); }) ? 0 : 1;
    if (command == "wait-count" && argc > 3) {
        bool ok = wait_for(std::atoi(argv[3]), [&] { return item_count() == number; });
        if (!ok) std::printf("%d\n", item_count());
        return ok ? 0 : 1;
    }
    HWND window = main_window();
    if (!window) return 1;
    if (command == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == "text") {
        char text[4096] = "";
        SendMessageA(GetDlgItem(window, number), WM_GETTEXT, sizeof text,
                     reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
        return 0;
    }
    if (command == "checked") {
        std::printf("%d\n",
                    SendMessageA(GetDlgItem(window, number), BM_GETCHECK, 0, 0) == BST_CHECKED);
        return 0;
    }
    if (command == "items") {
        HWND list = GetDlgItem(window, kListId);
        int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        // Wine hands LB_GETTEXT across processes correctly only in its wide
        // form; the text is then given in the ANSI code page, as the list
        // holds it.
        for (int i = 0; i < count; ++i) {
            wchar_t wide[4096] = L"";
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
            char text[8192] = "";
            WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
            std::printf("%s\n", text);
        }
        return 0;
    }
    return 2;
}
