// The scan and both renames on real folders, through the Win32 file system.
// Every test that renames also checks that nothing was lost: the same files
// with the same contents before and after, names aside.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "core/control_values.h"
#include "core/rename.h"
#include "core/scan.h"
#include "platform/win32/win32_file_system.h"
#include "temp_tree.h"

namespace velmora {
namespace {

using testing::TempTree;
using testing::to_ansi;
using Paths = std::vector<Text>;

Paths sorted(Paths paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

class RealFolders : public ::testing::Test {
protected:
    Paths scan_folder(const Text& folder, const Text& pattern, bool ticked) {
        controls.set_text(EditBox::编辑框1, folder);
        controls.set_text(EditBox::编辑框4, pattern);
        controls.tick(ticked);
        scan(controls, fs);
        return controls.items();
    }
    void list(const Paths& paths) {
        controls.clear_items();
        for (const Text& p : paths) controls.append_item(p);
    }

    TempTree tree;
    Win32FileSystem fs;
    ControlValues controls;
};

// The folder part of a listed path, relative to base.
Text folder_of(const Text& path) {
    return path.substr(0, path.rfind('\\') + 1);
}

TEST_F(RealFolders, ScanListsEachFoldersFilesBeforeItsSubfoldersDepthFirst) {
    tree.file(L"a.txt", "a");
    tree.file(L"b.txt", "b");
    tree.file(L"s1\\x", "x");
    tree.file(L"s2\\t\\y", "y");
    tree.file(L"s2\\z", "z");
    const Text root = tree.ansi() + "\\";

    Paths listed = scan_folder(tree.ansi(), "*.*", true);
    EXPECT_EQ(sorted(listed), (Paths{root + "a.txt", root + "b.txt", root + "s1\\x",
                                     root + "s2\\t\\y", root + "s2\\z"}));
    // Whatever order the folder gives its names in: a folder's own files come
    // before anything below it, and each subtree is listed in one piece.
    for (std::size_t i = 0; i < listed.size(); ++i) {
        for (std::size_t j = i + 1; j < listed.size(); ++j) {
            Text fi = folder_of(listed[i]), fj = folder_of(listed[j]);
            EXPECT_FALSE(fj.size() < fi.size() && fi.compare(0, fj.size(), fj) == 0)
                << listed[j] << " of an outer folder comes after " << listed[i];
        }
    }
    auto s2_first = std::find(listed.begin(), listed.end(), root + "s2\\z");
    auto s2_deep = std::find(listed.begin(), listed.end(), root + "s2\\t\\y");
    EXPECT_EQ(std::abs(s2_first - s2_deep), 1) << "the subtree of s2 is split";

    EXPECT_EQ(sorted(scan_folder(tree.ansi(), "*.*", false)),
              (Paths{root + "a.txt", root + "b.txt"}));
}

TEST_F(RealFolders, ScanInputsAreTakenAsTyped) {
    tree.file(L"a.txt", "a");
    tree.file(L"b.log", "b");
    tree.file(L"sub.txt\\c.log", "c");
    const Text root = tree.ansi() + "\\";
    struct Case {
        const char* label;
        Text folder, pattern;
        Paths expected;
    } cases[] = {
        {"without a trailing backslash",
         tree.ansi(),
         "*.*",
         {root + "a.txt", root + "b.log", root + "sub.txt\\c.log"}},
        {"with a trailing backslash",
         root,
         "*.*",
         {root + "a.txt", root + "b.log", root + "sub.txt\\c.log"}},
        {"an empty pattern lists as *.*",
         tree.ansi(),
         "",
         {root + "a.txt", root + "b.log", root + "sub.txt\\c.log"}},
        {"a pattern enters every folder, lists no folder", tree.ansi(), "*.txt", {root + "a.txt"}},
        {"a missing folder empties the list", root + "missing", "*.*", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        list({"previous"});
        EXPECT_EQ(sorted(scan_folder(c.folder, c.pattern, true)), c.expected);
    }
}

TEST_F(RealFolders, HiddenSystemAndReadOnlyFilesAreListedAndHiddenFoldersEntered) {
    tree.file(L"hidden.txt", "h");
    tree.file(L"system.txt", "s");
    tree.file(L"readonly.txt", "r");
    tree.file(L"secret\\inner.txt", "i");
    tree.set_attributes(L"hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    tree.set_attributes(L"system.txt", FILE_ATTRIBUTE_SYSTEM);
    tree.set_attributes(L"readonly.txt", FILE_ATTRIBUTE_READONLY);
    tree.set_attributes(L"secret", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const Text root = tree.ansi() + "\\";
    Paths listed = scan_folder(tree.ansi(), "*.*", true);
    EXPECT_EQ(sorted(listed), (Paths{root + "hidden.txt", root + "readonly.txt",
                                     root + "secret\\inner.txt", root + "system.txt"}));
    for (const Text& p : listed) {
        EXPECT_EQ(p.find("\\.\\"), Text::npos);
        EXPECT_EQ(p.find("\\..\\"), Text::npos);
    }
}

TEST_F(RealFolders, LinkCyclesEndWithEveryRealFileListed) {
    struct Case {
        const char* label;
        const wchar_t* link;
        const wchar_t* target;
    } cases[] = {
        {"a link to its own parent", L"d\\sub\\up", L"d"},
        {"a link to itself", L"d\\sub\\self", L"d\\sub"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempTree t;
        t.file(L"d\\f.txt", "f");
        t.file(L"d\\sub\\g.txt", "g");
        t.link(c.link, c.target);
        const Text d = t.ansi(L"d") + "\\";
        controls.set_text(EditBox::编辑框1, t.ansi(L"d"));
        controls.set_text(EditBox::编辑框4, "*.*");
        controls.tick(true);
        DWORD start = GetTickCount();
        scan(controls, fs);
        EXPECT_LT(GetTickCount() - start, 30000u);
        EXPECT_EQ(sorted(controls.items()), (Paths{d + "f.txt", d + "sub\\g.txt"}));
    }
}

TEST_F(RealFolders, NamesTheCodePageCannotHoldAreNeverRenamedThroughALookAlike) {
    // Best fit would list yen¥ as yen￥ and soft­hyphen as soft-hyphen: the
    // names of the other, real files beside them.
    tree.file(L"yen\u00A5.txt", "yen sign");
    tree.file(L"yen\uFFE5.txt", "full-width yen sign");
    tree.file(L"soft\u00ADhyphen.txt", "soft hyphen");
    tree.file(L"soft-hyphen.txt", "hyphen");
    tree.file(L"smile\U0001F600.txt", "emoji");
    tree.file(L"\u4E57.txt", "jou");  // 乗: its second byte in code page 936 is 5C
    const Text root = tree.ansi() + "\\";
    const auto before = tree.all_contents();

    Paths listed = scan_folder(tree.ansi(), "*.*", false);
    EXPECT_EQ(sorted(listed), sorted({root + "yen?.txt", root + to_ansi(L"yen\uFFE5.txt"),
                                      root + "soft?hyphen.txt", root + "soft-hyphen.txt",
                                      root + "smile?.txt", root + to_ansi(L"\u4E57.txt")}));

    controls.set_text(EditBox::编辑框3, "T-");
    batch_rename(controls, fs, Rule::prefix);
    EXPECT_EQ(sorted(controls.items()),
              sorted({root + "yen?.txt", root + "soft?hyphen.txt", root + "smile?.txt"}));
    EXPECT_EQ(tree.all_files(),
              (std::vector<std::wstring>{L"T-soft-hyphen.txt", L"T-yen\uFFE5.txt", L"T-\u4E57.txt",
                                         L"smile\U0001F600.txt", L"soft\u00ADhyphen.txt",
                                         L"yen\u00A5.txt"}));
    EXPECT_EQ(tree.contents(L"T-yen\uFFE5.txt"), "full-width yen sign");
    EXPECT_EQ(tree.contents(L"T-soft-hyphen.txt"), "hyphen");
    EXPECT_EQ(tree.all_contents(), before);
}

TEST_F(RealFolders, NamesEndingInADotOrASpaceAreNeverRenamedOrEntered) {
    // Path parsing strips those ends: such a name given to MoveFileA or to a
    // search names the file or folder without them.
    tree.file(L"dot.", "with dot");
    tree.file(L"dot", "without dot");
    tree.file(L"space ", "with space");
    tree.file(L"space", "without space");
    tree.file(L"sub.\\inner-of-dotted", "1");
    tree.file(L"sub\\inner-of-plain", "2");
    const Text root = tree.ansi() + "\\";
    const auto before = tree.all_contents();

    Paths listed = scan_folder(tree.ansi(), "*.*", true);
    EXPECT_EQ(sorted(listed), (Paths{root + "dot", root + "dot.", root + "space", root + "space ",
                                     root + "sub\\inner-of-plain"}));
    controls.set_text(EditBox::编辑框3, "T-");
    batch_rename(controls, fs, Rule::prefix);
    EXPECT_EQ(sorted(controls.items()), (Paths{root + "dot.", root + "space "}));
    EXPECT_EQ(tree.contents(L"dot."), "with dot");
    EXPECT_EQ(tree.contents(L"T-dot"), "without dot");
    EXPECT_EQ(tree.contents(L"space "), "with space");
    EXPECT_EQ(tree.contents(L"T-space"), "without space");
    EXPECT_EQ(tree.all_contents(), before);
}

TEST_F(RealFolders, RunsLeaveExactlyTheFailuresInOrder) {
    // Succeed, fail, succeed, succeed, fail, with real causes of failure. The
    // names must not occur in the temp folder's path, or the text rules would
    // rewrite it too.
    // LONG stands for a folder name that makes the file's path 258 characters:
    // with the tag it would pass the 259 that every ANSI call can reach.
    struct Case {
        const char* label;
        Rule rule;
        std::vector<std::wstring> listed;    // in this order
        std::vector<std::wstring> blockers;  // present, not listed
        std::vector<std::wstring> after;     // every file afterwards
        std::vector<int> failed;             // the places left in the list
    } cases[] = {
        {"suffix: a taken name, a missing folder",
         Rule::suffix,
         {L"1.txt", L"2.txt", L"3.txt", L"4.t\u20AC", L"b.txt\\5.txt"},
         {L"2TAG.txt"},
         {L"1TAG.txt", L"2.txt", L"2TAG.txt", L"3TAG.txt", L"4TAG.t\u20AC", L"b.txt\\5.txt"},
         {1, 4}},
        {"prefix: a path too long, a missing folder",
         Rule::prefix,
         {L"F1", L"LONG\\n", L"F3", L"F4", L"QQ\\Q"},
         {},
         {L"LONG\\n", L"QQ\\Q", L"TAGF1", L"TAGF3", L"TAGF4"},
         {1, 4}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempTree t;
        std::wstring long_name(258 - t.root().size() - 3, L'L');
        auto expand = [&](std::wstring name) {
            if (name.rfind(L"LONG", 0) == 0) name.replace(0, 4, long_name);
            return name;
        };
        Paths paths;
        for (const auto& f : c.listed) {
            t.file(expand(f), to_ansi(f));
            paths.push_back(t.ansi(expand(f)));
        }
        for (const auto& f : c.blockers) t.file(f, "blocker");
        const auto before = t.all_contents();
        list(paths);
        controls.set_text(EditBox::编辑框2, "TAG");
        controls.set_text(EditBox::编辑框3, "TAG");
        // A filter that matches nothing still walks every name: a name ending
        // in the one-byte character 80 (the euro sign) must keep it.
        controls.set_text(EditBox::编辑框5, "zz");
        batch_rename(controls, fs, c.rule);

        Paths left;
        for (int place : c.failed) left.push_back(paths[static_cast<std::size_t>(place)]);
        EXPECT_EQ(controls.items(), left);
        std::vector<std::wstring> after;
        for (const auto& f : c.after) after.push_back(expand(f));
        std::sort(after.begin(), after.end());
        EXPECT_EQ(t.all_files(), after);
        EXPECT_EQ(t.all_contents(), before);
    }
}

TEST_F(RealFolders, AComputedPathInAnotherExistingFolderMovesTheFile) {
    // No full stop in the name: the anchor ".2\readme" spans the folder.
    tree.file(L"ver.2\\readme", "readme");
    tree.folder(L"verTAG.2");
    list({tree.ansi(L"ver.2\\readme")});
    controls.set_text(EditBox::编辑框2, "TAG");
    batch_rename(controls, fs, Rule::suffix);
    EXPECT_TRUE(controls.items().empty());
    EXPECT_EQ(tree.all_files(), std::vector<std::wstring>{L"verTAG.2\\readme"});
    EXPECT_EQ(tree.contents(L"verTAG.2\\readme"), "readme");
}

TEST(Win32FileSystem, RenameRefusesWhatWouldReachAnotherFileOrNone) {
    TempTree t;
    t.file(L"src", "s");
    t.file(L"taken", "t");
    t.file(L"x.", "x");
    t.file(L"folder\\inside", "i");
    Win32FileSystem fs;
    const Text src = t.ansi(L"src");
    struct Case {
        const char* label;
        Text from, to;
    } cases[] = {
        {"the new path exists", src, t.ansi(L"taken")},
        {"a missing folder", src, t.ansi(L"none\\src")},
        {"a new path of 260 characters", src,
         t.ansi(L"") + "\\" + Text(259 - t.ansi().size(), 'n')},
        {"a source ending in a dot", t.ansi(L"x."), t.ansi(L"y")},
        {"a source with a character the code page lacks", t.ansi(L"") + "\\sr?", t.ansi(L"y")},
        {"a source that does not exist", t.ansi(L"gone"), t.ansi(L"y")},
        {"a source that is a folder now", t.ansi(L"folder"), t.ansi(L"y")},
    };
    const auto before = t.all_files();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_FALSE(fs.rename(c.from, c.to));
        EXPECT_EQ(t.all_files(), before);
    }
    // 259 characters is still fine.
    EXPECT_TRUE(fs.rename(src, t.ansi(L"") + "\\" + Text(258 - t.ansi().size(), 'n')));
}

TEST(Win32FileSystem, FolderIdentityIsTheSameThroughALink) {
    TempTree t;
    t.folder(L"real");
    t.folder(L"other");
    t.link(L"via", L"real");
    Win32FileSystem fs;
    auto real = fs.folder_id(t.ansi(L"real"));
    ASSERT_TRUE(real.has_value());
    EXPECT_EQ(fs.folder_id(t.ansi(L"via")), real);
    EXPECT_EQ(fs.folder_id(t.ansi(L"real") + "\\"), real);
    EXPECT_NE(fs.folder_id(t.ansi(L"other")), real);
    EXPECT_FALSE(fs.folder_id(t.ansi(L"missing")).has_value());
}

}  // namespace
}  // namespace velmora
