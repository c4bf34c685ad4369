#pragma once
// The two batch renames behind 按钮2 and 按钮3: every listed file gets the tag
// text in front of its extension (suffix) or its name (prefix), the filter
// text is removed from the whole new path, and the files whose rename
// succeeded leave 列表框1.
#include "core/controls.h"
#include "core/text.h"
#include "platform/file_system.h"

namespace velmora {

enum class Rule { suffix, prefix };

// The new path, computed purely by text on the full path: every occurrence of
// the anchor (suffix: "." and all after the path's last full stop; prefix:
// all after its last backslash) gets the tag in front, folder names included,
// then every occurrence of the filter is removed.
//   compute_new_path("D:\\d\\a.txt", Rule::suffix, "TAG", "") == "D:\\d\\aTAG.txt"
//   compute_new_path("D:\\d\\a.txt", Rule::prefix, "TAG", "") == "D:\\d\\TAGa.txt"
Text compute_new_path(const Text& path, Rule rule, const Text& tag, const Text& filter);

// One run over the pending list: each file listed when it starts is renamed
// once, in list order; the list ends holding exactly the failures, in order.
void batch_rename(Controls& controls, FileSystem& fs, Rule rule);

}  // namespace velmora
