#include "ui/shell.h"

// windows.h first: the shell headers build on it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <vector>

#include "platform/win32/win32_file_system.h"

namespace velmora {

void open_web_address(const Text& address) {
    // Some old browsers took requests only from their own frame window; the
    // request is made on its behalf when there is one.
    HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    ShellExecuteA(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

Text current_folder() {
    // The API's buffer is MAX_PATH; a longer working folder is read whole.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) return Text();
        if (length < buffer.size()) return Text(buffer.data(), length);
        buffer.resize(length + 1);  // the call gave the size needed, NUL included
    }
}

Text folder_part(const Text& path) {
    std::size_t last = last_separator(path, "\\");
    return last == Text::npos ? Text() : path.substr(0, last);
}

void make_program_folder_current() {
    // GetModuleFileNameA cuts a long path without saying so, except by
    // filling the buffer: grow it until the path fits.
    std::vector<char> buffer(MAX_PATH);
    DWORD length;
    for (;;) {
        length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return;
        if (length < buffer.size()) break;
        if (buffer.size() >= 32768) return;  // the longest path Windows has
        buffer.resize(buffer.size() * 2);
    }
    // For D:\tool.exe this is "D:", the drive's current folder, which is
    // what the working folder then is.
    Text folder = folder_part(Text(buffer.data(), length));
    if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
}

namespace {

struct DisabledWindow {
    HWND hwnd;
    bool was_enabled;
};

BOOL CALLBACK disable_top_level(HWND hwnd, LPARAM list) {
    // EnumThreadWindows gives only windows without a parent, owned pop-ups
    // included. Hidden ones (OLE's message windows) take no input anyway and
    // are left alone.
    if (IsWindowVisible(hwnd)) {
        // EnableWindow gives whether the window was disabled before.
        bool was_disabled = EnableWindow(hwnd, FALSE) != 0;
        reinterpret_cast<std::vector<DisabledWindow>*>(list)->push_back({hwnd, !was_disabled});
    }
    return TRUE;
}

}  // namespace

Text browse_for_folder(const Text& instruction) {
    HWND active = GetActiveWindow();
    HWND foreground = GetForegroundWindow();

    // The program's windows take no input while the dialog is open.
    std::vector<DisabledWindow> disabled;
    EnumThreadWindows(GetCurrentThreadId(), disable_top_level, reinterpret_cast<LPARAM>(&disabled));

    char display_name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = IsWindow(active) ? active : nullptr;
    info.pszDisplayName = display_name;
    info.lpszTitle = instruction.c_str();
    info.ulFlags = BIF_EDITBOX;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);

    for (const DisabledWindow& window : disabled) {
        if (IsWindow(window.hwnd)) EnableWindow(window.hwnd, window.was_enabled ? TRUE : FALSE);
    }
    if (foreground != nullptr && IsWindow(foreground)) SetForegroundWindow(foreground);
    if (active != nullptr && IsWindow(active)) SetActiveWindow(active);

    if (item == nullptr) return Text();
    char path[MAX_PATH] = {};
    Text result = SHGetPathFromIDListA(item, path) ? Text(path) : Text();
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
        allocator->Free(item);
        allocator->Release();
    }
    return result;
}

}  // namespace velmora
