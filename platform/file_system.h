#pragma once
// The seam between the renaming core and the file system. The real one is in
// win32/; native tests put an in-memory tree behind it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace velmora {

inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

struct DirectoryEntry {
    std::string name;  // bare name in the ANSI code page
    std::uint32_t attributes = 0;
    // False when the ANSI name does not lead back to this very entry: a
    // character the code page cannot hold came back as '?', or the name ends in
    // a dot or a space, which path parsing strips (the path would name another
    // entry). Such an entry can be listed, but nothing may be done through it.
    bool exact = true;
};

// One open directory search; destroying it closes the search.
class DirectorySearch {
public:
    virtual ~DirectorySearch() = default;
    // The next entry, or false when there is none (or the search failed).
    virtual bool next(DirectoryEntry& entry) = 0;
};

// Identity of a folder, the same through every link that reaches it.
struct FolderId {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    friend bool operator==(const FolderId&, const FolderId&) = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Starts a search on a folder and wildcard ("D:\d\*.txt"); on success it
    // fills first with the first entry. Null when the search cannot be opened
    // or nothing matches.
    virtual std::unique_ptr<DirectorySearch> open_search(const std::string& search_text,
                                                         DirectoryEntry& first) = 0;
    // Renames or moves a file. Never replaces an existing file; false with
    // nothing changed when the rename cannot be done.
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    // The identity of a folder, or nothing when it cannot be opened.
    virtual std::optional<FolderId> folder_id(const std::string& folder) = 0;
};

}  // namespace velmora
