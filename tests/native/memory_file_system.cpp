#include "memory_file_system.h"

#include <functional>

#include "core/text.h"

namespace velmora::testing {
namespace {

// Splits at backslashes that begin a character (a second byte 0x5C is not a
// separator); empty parts, as in a doubled backslash, are dropped.
std::vector<std::string> split(const std::string& path) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (c == '\\') {
            if (!parts.back().empty()) parts.emplace_back();
        } else if (c >= 0x80 && i + 1 < path.size()) {
            parts.back() += path.substr(i, 2);
            ++i;
        } else {
            parts.back() += path[i];
        }
    }
    if (parts.back().empty()) parts.pop_back();
    return parts;
}

bool is_folder(const MemoryFileSystem::Node& node) {
    return (node.attributes & kAttributeDirectory) != 0;
}

}  // namespace

bool wildcard_match(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*") return true;
    std::function<bool(std::size_t, std::size_t)> match = [&](std::size_t p, std::size_t n) {
        if (p == pattern.size()) return n == name.size();
        if (pattern[p] == '*') return match(p + 1, n) || (n < name.size() && match(p, n + 1));
        if (n == name.size()) return false;
        return (pattern[p] == '?' || pattern[p] == name[n]) && match(p + 1, n + 1);
    };
    return match(0, 0);
}

class MemoryFileSystem::Search : public DirectorySearch {
public:
    Search(MemoryFileSystem& fs, std::vector<DirectoryEntry> entries)
        : fs_(fs), entries_(std::move(entries)) {
        ++fs_.open_searches_;
        ++fs_.searches_opened_;
    }
    ~Search() override { --fs_.open_searches_; }
    bool next(DirectoryEntry& entry) override {
        if (at_ >= entries_.size()) return false;
        entry = entries_[at_++];
        return true;
    }

private:
    MemoryFileSystem& fs_;
    std::vector<DirectoryEntry> entries_;
    std::size_t at_ = 0;
};

MemoryFileSystem::Node* MemoryFileSystem::resolve(const std::string& path, bool follow_last) const {
    Node* node = top_.get();
    std::vector<std::string> parts = split(path);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!is_folder(*node)) return nullptr;
        Node* child = nullptr;
        for (auto& c : node->children) {
            if (c->name == parts[i]) child = c.get();
        }
        if (!child) return nullptr;
        bool last = i + 1 == parts.size();
        if (!child->link_target.empty() && (!last || follow_last)) {
            child = resolve(child->link_target);
            if (!child) return nullptr;
        }
        node = child;
    }
    return node;
}

MemoryFileSystem::Node* MemoryFileSystem::make_parent(const std::string& path, std::string& name) {
    std::vector<std::string> parts = split(path);
    name = parts.back();
    parts.pop_back();
    std::string folder;
    for (const std::string& part : parts) {
        folder += part + "\\";
        if (!resolve(folder)) add_folder(folder);
    }
    return resolve(folder);
}

void MemoryFileSystem::add_file(const std::string& path, std::uint32_t attributes) {
    std::string name;
    Node* parent = make_parent(path, name);
    parent->children.push_back(std::make_unique<Node>(Node{name, attributes, "", {}}));
}

void MemoryFileSystem::add_folder(const std::string& path, std::uint32_t attributes) {
    std::string name;
    Node* parent = make_parent(path, name);
    parent->children.push_back(std::make_unique<Node>(Node{name, attributes, "", {}}));
}

void MemoryFileSystem::add_link(const std::string& path, const std::string& target) {
    std::string name;
    Node* parent = make_parent(path, name);
    parent->children.push_back(std::make_unique<Node>(
        Node{name, kAttributeDirectory | kAttributeReparsePoint, target, {}}));
}

bool MemoryFileSystem::exists(const std::string& path) const {
    return resolve(path) != nullptr;
}

std::vector<std::string> MemoryFileSystem::files() const {
    std::vector<std::string> out;
    std::function<void(const Node&, const std::string&)> walk = [&](const Node& node,
                                                                    const std::string& prefix) {
        for (const auto& child : node.children) {
            if (!child->link_target.empty()) continue;
            if (is_folder(*child)) {
                walk(*child, prefix + child->name + "\\");
            } else {
                out.push_back(prefix + child->name);
            }
        }
    };
    walk(*top_, "");
    return out;
}

std::unique_ptr<DirectorySearch> MemoryFileSystem::open_search(const std::string& search_text,
                                                               DirectoryEntry& first) {
    search_texts.push_back(search_text);
    std::int32_t slash = last_position(search_text, "\\");
    std::string folder = search_text.substr(0, slash < 0 ? 0 : static_cast<std::size_t>(slash));
    std::string pattern = search_text.substr(slash < 0 ? 0 : static_cast<std::size_t>(slash));
    Node* node = resolve(folder);
    if (!node || !is_folder(*node)) return nullptr;
    std::vector<DirectoryEntry> entries;
    if (node != top_.get()) {
        for (const char* dots : {".", ".."}) {
            if (wildcard_match(pattern, dots)) entries.push_back({dots, kAttributeDirectory, true});
        }
    }
    for (const auto& child : node->children) {
        if (!wildcard_match(pattern, child->name)) continue;
        bool exact = child->name.find('?') == std::string::npos;
        entries.push_back({child->name, child->attributes, exact});
    }
    if (entries.empty()) return nullptr;
    auto search = std::make_unique<Search>(*this, std::move(entries));
    search->next(first);
    return search;
}

bool MemoryFileSystem::rename(const std::string& from, const std::string& to) {
    renames.emplace_back(from, to);
    if (failing_.count(from)) return false;
    std::vector<std::string> from_parts = split(from);
    std::vector<std::string> to_parts = split(to);
    if (from_parts.empty() || to_parts.empty()) return false;
    Node* from_node = resolve(from, false);
    if (!from_node || is_folder(*from_node)) return false;
    if (from_parts == to_parts) return true;  // the same file: nothing to do
    if (resolve(to, false)) return false;
    std::string from_name, to_name;
    Node* from_parent = resolve(from.substr(0, from.size() - from_parts.back().size()));
    Node* to_parent = resolve(to.substr(0, to.size() - to_parts.back().size()));
    if (!from_parent || !to_parent || !is_folder(*to_parent)) return false;
    for (auto it = from_parent->children.begin(); it != from_parent->children.end(); ++it) {
        if (it->get() != from_node) continue;
        std::unique_ptr<Node> moved = std::move(*it);
        from_parent->children.erase(it);
        moved->name = to_parts.back();
        to_parent->children.push_back(std::move(moved));
        return true;
    }
    return false;
}

std::optional<FolderId> MemoryFileSystem::folder_id(const std::string& folder) {
    Node* node = resolve(folder);
    if (!node || !is_folder(*node)) return std::nullopt;
    return FolderId{1, reinterpret_cast<std::uintptr_t>(node)};
}

}  // namespace velmora::testing
