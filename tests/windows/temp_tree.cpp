#include "temp_tree.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

namespace velmora::testing {
namespace {

// Wine keeps the Unix path of every folder; a link and the final clean-up are
// done with Unix tools on it, since Wine's CreateSymbolicLinkW succeeds
// without making anything and RemoveDirectoryW cannot remove a link.
std::string unix_path(const std::wstring& path) {
    using Fn = char*(CDECL*)(LPCWSTR);
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!fn) return std::string();
    char* name = fn(path.c_str());
    if (!name) return std::string();
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

void run_unix(const std::string& command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = command;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot run " << command;
        return;
    }
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// Wine splits the command line by the Windows rules before it starts a Unix
// program.
std::string in_quotes(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

std::string to_ansi(const std::wstring& text) {
    if (text.empty()) return std::string();
    BOOL used_default = FALSE;
    int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                            static_cast<int>(text.size()), nullptr, 0, nullptr, &used_default);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                        out.data(), size, nullptr, &used_default);
    EXPECT_FALSE(used_default) << "not in the ANSI code page";
    return out;
}

TempTree::TempTree() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    root_ = std::wstring(temp) + L"velmora-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    CreateDirectoryW(root_.c_str(), nullptr);
}

TempTree::~TempTree() {
    std::string path = unix_path(root_);
    if (!path.empty()) run_unix("/bin/rm -rf " + in_quotes(path));
}

std::wstring TempTree::full(const std::wstring& relative) const {
    return L"\\\\?\\" + root_ + (relative.empty() ? L"" : L"\\" + relative);
}

void TempTree::folder(const std::wstring& relative) {
    for (std::size_t at = relative.find(L'\\'); at != std::wstring::npos;
         at = relative.find(L'\\', at + 1)) {
        CreateDirectoryW(full(relative.substr(0, at)).c_str(), nullptr);
    }
    CreateDirectoryW(full(relative).c_str(), nullptr);
}

void TempTree::file(const std::wstring& relative, const std::string& contents) {
    std::size_t slash = relative.rfind(L'\\');
    if (slash != std::wstring::npos) folder(relative.substr(0, slash));
    HANDLE handle = CreateFileW(full(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << "cannot make a file";
    DWORD written = 0;
    WriteFile(handle, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(handle);
}

void TempTree::link(const std::wstring& relative, const std::wstring& target) {
    std::size_t slash = relative.rfind(L'\\');
    if (slash != std::wstring::npos) folder(relative.substr(0, slash));
    std::wstring link_path = root_ + L"\\" + relative;
    std::wstring target_path = root_ + L"\\" + target;
    std::wstring parent = link_path.substr(0, link_path.rfind(L'\\'));
    std::wstring name = link_path.substr(link_path.rfind(L'\\') + 1);
    run_unix("/bin/ln -s " + in_quotes(unix_path(target_path)) + " " +
             in_quotes(unix_path(parent) + "/" + to_ansi(name)));
    // Wine does not wait for a Unix program to end: wait for the link itself.
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(5)) {
        attributes = GetFileAttributesW(full(relative).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) break;
    }
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << "the link was not made";
    ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

void TempTree::set_attributes(const std::wstring& relative, unsigned long attributes) {
    ASSERT_TRUE(SetFileAttributesW(full(relative).c_str(), attributes));
}

bool TempTree::exists(const std::wstring& relative) const {
    return GetFileAttributesW(full(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TempTree::contents(const std::wstring& relative) const {
    HANDLE handle = CreateFileW(full(relative).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out(4096, '\0');
    DWORD read = 0;
    ReadFile(handle, out.data(), static_cast<DWORD>(out.size()), &read, nullptr);
    CloseHandle(handle);
    out.resize(read);
    return out;
}

void TempTree::walk(const std::wstring& relative, std::vector<std::wstring>& files) const {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((full(relative) + L"\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            walk(path, files);
        } else {
            files.push_back(path);
        }
    } while (FindNextFileW(search, &data));
    FindClose(search);
}

std::vector<std::wstring> TempTree::all_files() const {
    std::vector<std::wstring> files;
    walk(L"", files);
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> TempTree::all_contents() const {
    std::vector<std::string> out;
    for (const std::wstring& f : all_files()) out.push_back(contents(f));
    std::sort(out.begin(), out.end());
    return out;
}

std::string TempTree::ansi(const std::wstring& relative) const {
    return to_ansi(relative.empty() ? root_ : root_ + L"\\" + relative);
}

}  // namespace velmora::testing
