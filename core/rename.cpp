#include "core/rename.h"

#include <vector>

namespace velmora {

Text compute_new_path(const Text& path, Rule rule, const Text& tag, const Text& filter) {
    Text anchor;
    if (rule == Rule::suffix) {
        // Without a full stop the anchor is "." and the whole path, which
        // cannot occur in the path: nothing is inserted.
        std::int32_t p = last_position(path, ".");
        anchor = join(".", right_part(path, length(path) - p));
    } else {
        std::int32_t p = last_position(path, "\\");
        anchor = right_part(path, length(path) - p);
    }
    Text intermediate = replace_all(path, anchor, join(tag, anchor));
    return replace_all(intermediate, filter, Text());
}

void batch_rename(Controls& controls, FileSystem& fs, Rule rule) {
    int n = controls.item_count();
    if (n <= 0) return;
    EditBox tag_box = rule == Rule::suffix ? EditBox::编辑框2 : EditBox::编辑框3;

    // No input is handled during a run, so the list cannot change under it:
    // it is read once, and rebuilt once from the failures at the end. Deleting
    // succeeded items one by one costs time in the square of the list's size.
    std::vector<Text> failed;
    for (int k = 0; k < n; ++k) {
        Text path = controls.item_text(k);
        Text tag = controls.get_text(tag_box);
        Text filter = controls.get_text(EditBox::编辑框5);
        // Asked for even when the new path equals the old: the flag alone
        // decides whether the item leaves the list.
        if (!fs.rename(path, compute_new_path(path, rule, tag, filter))) {
            failed.push_back(std::move(path));
        }
    }
    if (failed.size() == static_cast<std::size_t>(n)) return;  // the list stays as it was

    controls.freeze_list(true);
    controls.clear_items();
    for (const Text& path : failed) controls.append_item(path);
    controls.freeze_list(false);
}

}  // namespace velmora
