#pragma once
// A real folder tree in the temp folder, made with the wide calls so that any
// name can be made (names the ANSI code page cannot hold, names ending in a
// dot), and removed with everything in it at the end.
#include <string>
#include <vector>

namespace velmora::testing {

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // Relative paths use backslashes. Files hold their contents; missing
    // parent folders are made.
    void file(const std::wstring& relative, const std::string& contents);
    void folder(const std::wstring& relative);
    // A directory link (a Unix symlink under Wine) at relative, to target.
    void link(const std::wstring& relative, const std::wstring& target);
    void set_attributes(const std::wstring& relative, unsigned long attributes);

    bool exists(const std::wstring& relative) const;
    std::string contents(const std::wstring& relative) const;
    // The contents of every file, sorted: equal before and after a run means
    // no file was lost or changed, whatever the names.
    std::vector<std::string> all_contents() const;
    // Every file, relative, sorted; links are not followed.
    std::vector<std::wstring> all_files() const;

    // The root (or a path below it) in the ANSI code page, as a user types it.
    std::string ansi(const std::wstring& relative = L"") const;
    const std::wstring& root() const { return root_; }

private:
    std::wstring full(const std::wstring& relative) const;  // with the \\?\ prefix
    void walk(const std::wstring& relative, std::vector<std::wstring>& files) const;

    std::wstring root_;
};

// The wide text in the ANSI code page, failing the test when it is not exact.
std::string to_ansi(const std::wstring& text);

}  // namespace velmora::testing
