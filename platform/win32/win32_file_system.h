#pragma once
// The real file system through the Win32 calls.
#include "platform/file_system.h"

namespace velmora {

class Win32FileSystem : public FileSystem {
public:
    std::unique_ptr<DirectorySearch> open_search(const std::string& search_text,
                                                 DirectoryEntry& first) override;
    bool rename(const std::string& from, const std::string& to) override;
    std::optional<FolderId> folder_id(const std::string& folder) override;
};

// Where the last of the separator bytes stands in an ANSI path, or npos;
// found character by character in the ANSI code page, so that the second
// byte of a two-byte character (乗 is 81 5C in code page 936) is never taken
// for a backslash.
std::size_t last_separator(const std::string& path, const char* separators);

// The ANSI form of a directory entry's Unicode name, and whether it is exact.
// Each character the ANSI code page cannot hold as it is becomes '?' (never
// its best-fit look-alike, which would name another file).
DirectoryEntry ansi_entry(const wchar_t* name, std::uint32_t attributes);

}  // namespace velmora
