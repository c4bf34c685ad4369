#pragma once
// A small in-memory folder tree behind the FileSystem seam, for the core's
// native tests: entries come back in the order they were made, "." and ".."
// lead every folder but the top, and renames can be made to fail on purpose.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"

namespace velmora::testing {

class MemoryFileSystem : public FileSystem {
public:
    // Paths use backslashes; missing parent folders are made on the way.
    void add_file(const std::string& path, std::uint32_t attributes = 0x20);
    void add_folder(const std::string& path, std::uint32_t attributes = kAttributeDirectory);
    // A directory link: an entry with 0x410 that leads to target's contents.
    void add_link(const std::string& path, const std::string& target);

    bool exists(const std::string& path) const;
    // Every file path under the top, in tree order.
    std::vector<std::string> files() const;

    void fail_rename_of(const std::string& path) { failing_.insert(path); }
    std::vector<std::pair<std::string, std::string>> renames;  // every call, in order
    std::vector<std::string> search_texts;                     // every search opened
    int open_searches() const { return open_searches_; }
    int searches_opened() const { return searches_opened_; }

    std::unique_ptr<DirectorySearch> open_search(const std::string& search_text,
                                                 DirectoryEntry& first) override;
    bool rename(const std::string& from, const std::string& to) override;
    std::optional<FolderId> folder_id(const std::string& folder) override;

    struct Node {
        std::string name;
        std::uint32_t attributes = kAttributeDirectory;
        std::string link_target;
        std::vector<std::unique_ptr<Node>> children;
    };

private:
    class Search;
    Node* resolve(const std::string& path, bool follow_last = true) const;
    Node* make_parent(const std::string& path, std::string& name);

    std::unique_ptr<Node> top_ = std::make_unique<Node>();
    std::set<std::string> failing_;
    int open_searches_ = 0;
    int searches_opened_ = 0;
};

// Windows wildcard matching: * and ?, where "*.*" matches every name.
bool wildcard_match(const std::string& pattern, const std::string& name);

}  // namespace velmora::testing
