#include "core/scan.h"

namespace velmora {
namespace {

const Text kBackslash = "\\";
const Text kAllFiles = "*.*";

bool accepts(EntryMode mode, const DirectoryEntry& entry) {
    bool is_folder = (entry.attributes & kAttributeDirectory) != 0;
    return mode == EntryMode::folders_only ? is_folder : !is_folder;
}

std::optional<FolderId> level_id(FileSystem& fs, ScanContext::Level& level) {
    if (!level.id_read) {
        level.id = fs.folder_id(level.folder);
        level.id_read = true;
    }
    return level.id;
}

// A directory link is entered like any folder unless it leads to a folder the
// walk is already inside: only links can close a cycle, so only they pay for
// asking the file system for identities.
bool link_closes_cycle(ScanContext& context, const Text& sub) {
    std::optional<FolderId> sub_id = context.fs.folder_id(sub);
    if (!sub_id) return true;  // unidentifiable: entering it could never end
    for (auto& level : context.levels) {
        if (level_id(context.fs, level) == sub_id) return true;
    }
    return false;
}

}  // namespace

// The directory search behind find_entry; accept picks the entries to give.
template <typename Accept>
static Text next_entry(FileSystem& fs, SearchState& state, const Text& search_text, Accept accept) {
    bool have_entry;
    if (!search_text.empty()) {
        close_search(state);
        state.search = fs.open_search(search_text, state.entry);
        have_entry = state.search != nullptr;
    } else {
        if (!state.search) return Text();
        have_entry = state.search->next(state.entry);
    }
    while (have_entry && !accept(state.entry)) have_entry = state.search->next(state.entry);
    if (!have_entry) {
        close_search(state);
        return Text();
    }
    return state.entry.name;
}

Text find_entry(FileSystem& fs, SearchState& state, const Text& search_text, EntryMode mode) {
    return next_entry(fs, state, search_text,
                      [mode](const DirectoryEntry& entry) { return accepts(mode, entry); });
}

void close_search(SearchState& state) {
    state.search.reset();
}

void collect_files(ScanContext& context, Text folder, Text pattern,
                   std::vector<Text>& found_paths) {
    if (equals(pattern, Text())) pattern = kAllFiles;
    if (!equals(right_part(folder, 1), kBackslash)) folder = join(folder, kBackslash);

    // The subfolders are read completely before the first is entered: a
    // rename run nested in the scan must not change what a search still open
    // on this folder returns.
    std::vector<DirectoryEntry> subfolders;
    SearchState state;

    // File pass. With the pattern "*.*" it already sees every subfolder, so
    // one reading of the folder serves the folder pass too.
    bool shared_pass = equals(pattern, kAllFiles);
    if (shared_pass) {
        auto any = [](const DirectoryEntry&) { return true; };
        for (Text name = next_entry(context.fs, state, join(folder, pattern), any); !name.empty();
             name = next_entry(context.fs, state, Text(), any)) {
            if (accepts(EntryMode::files_only, state.entry)) {
                found_paths.push_back(join(folder, name));
            } else {
                subfolders.push_back(std::move(state.entry));
            }
        }
    } else {
        for (Text name =
                 find_entry(context.fs, state, join(folder, pattern), EntryMode::files_only);
             !name.empty(); name = find_entry(context.fs, state, Text(), EntryMode::files_only)) {
            found_paths.push_back(join(folder, name));
        }
    }

    if (!context.controls.is_ticked()) return;

    // Folder pass: every subfolder is searched with "*.*", not the pattern.
    if (!shared_pass) {
        for (Text name =
                 find_entry(context.fs, state, join(folder, kAllFiles), EntryMode::folders_only);
             !name.empty(); name = find_entry(context.fs, state, Text(), EntryMode::folders_only)) {
            subfolders.push_back(std::move(state.entry));
        }
    }

    context.levels.push_back({folder, std::nullopt, false});
    for (const DirectoryEntry& entry : subfolders) {
        if (equals(entry.name, ".") || equals(entry.name, "..")) continue;
        // A name that does not lead back to this entry would search another
        // folder (or none).
        if (!entry.exact) continue;
        Text sub = join(folder, entry.name);
        if ((entry.attributes & kAttributeReparsePoint) && link_closes_cycle(context, sub))
            continue;
        collect_files(context, sub, pattern, found_paths);
        if (context.window_gone || !context.controls.process_pending_events()) {
            context.window_gone = true;
            break;
        }
    }
    context.levels.pop_back();
}

void scan(Controls& controls, FileSystem& fs) {
    std::vector<Text> found_paths;
    controls.set_disabled(Button::按钮4, true);
    Text folder = controls.get_text(EditBox::编辑框1);
    Text pattern = controls.get_text(EditBox::编辑框4);

    ScanContext context{fs, controls, {}, false};
    collect_files(context, folder, pattern, found_paths);
    if (context.window_gone) return;

    controls.freeze_list(true);
    controls.clear_items();
    for (const Text& path : found_paths) controls.append_item(path);  // a full list drops the rest
    controls.freeze_list(false);
    controls.set_disabled(Button::按钮4, false);
}

}  // namespace velmora
