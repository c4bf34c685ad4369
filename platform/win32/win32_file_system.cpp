#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace velmora {
namespace {

// Windows refuses paths of MAX_PATH characters or more (the NUL included)
// without long-path support; Wine does not. A file moved to such a path is
// out of reach of every ANSI call, so the limit is kept on both.
constexpr int kMaxPathChars = MAX_PATH - 1;

// The number of UTF-16 characters the ANSI text converts to.
int wide_length(const std::string& text) {
    if (text.empty()) return 0;
    return MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
}

std::wstring widen(const std::string& text) {
    int size = wide_length(text);
    if (size <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

// Converts without best fit; true when the bytes convert back to exactly the
// same characters (WideCharToMultiByte reports no default for some best-fit
// mappings, so the round trip is the real test).
bool narrow_exactly(const wchar_t* wide, int count, std::string& out) {
    if (count == 0) {
        out.clear();
        return true;
    }
    BOOL used_default = FALSE;
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, nullptr, 0, nullptr,
                                   &used_default);
    if (size <= 0) return false;
    out.assign(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, out.data(), size, nullptr,
                        &used_default);
    if (used_default) return false;
    int back = MultiByteToWideChar(CP_ACP, 0, out.data(), size, nullptr, 0);
    if (back != count) return false;
    std::wstring round(static_cast<std::size_t>(back), L'\0');
    MultiByteToWideChar(CP_ACP, 0, out.data(), size, round.data(), back);
    return std::wmemcmp(round.data(), wide, static_cast<std::size_t>(count)) == 0;
}

bool ends_in_dot_or_space(const std::string& name) {
    return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

// The bare name at the end of a path.
std::string file_name_of(const std::string& path) {
    std::size_t last = last_separator(path, "\\/:");
    return last == std::string::npos ? path : path.substr(last + 1);
}

class Win32Search : public DirectorySearch {
public:
    explicit Win32Search(HANDLE handle) : handle_(handle) {}
    ~Win32Search() override { FindClose(handle_); }
    Win32Search(const Win32Search&) = delete;
    Win32Search& operator=(const Win32Search&) = delete;

    bool next(DirectoryEntry& entry) override {
        WIN32_FIND_DATAW data;
        if (!FindNextFileW(handle_, &data)) return false;
        entry = ansi_entry(data.cFileName, data.dwFileAttributes);
        return true;
    }

private:
    HANDLE handle_;
};

}  // namespace

std::size_t last_separator(const std::string& path, const char* separators) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
            ++i;
        } else if (std::strchr(separators, path[i]) != nullptr) {
            last = i;
        }
    }
    return last;
}

DirectoryEntry ansi_entry(const wchar_t* name, std::uint32_t attributes) {
    DirectoryEntry entry;
    entry.attributes = attributes;
    int count = static_cast<int>(std::wcslen(name));
    if (!narrow_exactly(name, count, entry.name)) {
        // Character by character, a surrogate pair counting as one.
        entry.exact = false;
        entry.name.clear();
        std::string part;
        for (int i = 0; i < count;) {
            int size = (IS_HIGH_SURROGATE(name[i]) && i + 1 < count) ? 2 : 1;
            entry.name += narrow_exactly(name + i, size, part) ? part : std::string("?");
            i += size;
        }
    }
    if (ends_in_dot_or_space(entry.name) && !(entry.name == "." || entry.name == "..")) {
        entry.exact = false;
    }
    return entry;
}

std::unique_ptr<DirectorySearch> Win32FileSystem::open_search(const std::string& search_text,
                                                              DirectoryEntry& first) {
    WIN32_FIND_DATAW data;
    // The basic information level skips the short 8.3 names, never used here.
    HANDLE handle = FindFirstFileExW(widen(search_text).c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    first = ansi_entry(data.cFileName, data.dwFileAttributes);
    return std::make_unique<Win32Search>(handle);
}

bool Win32FileSystem::rename(const std::string& from, const std::string& to) {
    // Path parsing strips a name's trailing dots and spaces, so MoveFileA would
    // rename another file than the one listed; a wildcard names no one file.
    std::string name = file_name_of(from);
    if (ends_in_dot_or_space(name) || name.find_first_of("?*") != std::string::npos) return false;
    if (wide_length(to) > kMaxPathChars) return false;
    // Only files are listed, but a listed file may have been replaced by a
    // folder since the scan; MoveFileA would move the whole folder.
    DWORD attributes = GetFileAttributesA(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    return MoveFileA(from.c_str(), to.c_str()) != 0;
}

std::optional<FolderId> Win32FileSystem::folder_id(const std::string& folder) {
    HANDLE handle =
        CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!ok) return std::nullopt;
    return FolderId{info.dwVolumeSerialNumber,
                    (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace velmora
