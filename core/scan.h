#pragma once
// The folder scan behind 按钮4: collects the full paths of the matching files
// of a folder (and, while 选择框1 is ticked, of its subfolders, depth first,
// each folder's files before its subfolders) and puts them into 列表框1.
#include <memory>
#include <optional>
#include <vector>

#include "core/controls.h"
#include "core/text.h"
#include "platform/file_system.h"

namespace velmora {

enum class EntryMode { files_only, folders_only };

// One level's directory search: at most one open search at a time.
struct SearchState {
    std::unique_ptr<DirectorySearch> search;
    DirectoryEntry entry;  // the entry find_entry gave last
};

// A non-empty search text starts a new search (closing any open one); the
// empty text continues the open search. Gives the bare name of the next entry
// the mode accepts, or the empty text when there is none, which also closes
// the search. The full entry stays in state.entry.
Text find_entry(FileSystem& fs, SearchState& state, const Text& search_text, EntryMode mode);

// Ends the open search, if any.
void close_search(SearchState& state);

// What one scan carries down its levels.
struct ScanContext {
    FileSystem& fs;
    Controls& controls;
    // The folders the walk is inside, outermost first, with their identities
    // once a directory link has made them worth asking for.
    struct Level {
        Text folder;
        std::optional<FolderId> id;
        bool id_read = false;
    };
    std::vector<Level> levels;
    bool window_gone = false;
};

// Appends the files of folder matching pattern to found_paths, then walks
// the subfolders while 选择框1 is ticked. Stops early once the window is gone.
void collect_files(ScanContext& context, Text folder, Text pattern, std::vector<Text>& found_paths);

// The click handler of 按钮4.
void scan(Controls& controls, FileSystem& fs);

}  // namespace velmora
