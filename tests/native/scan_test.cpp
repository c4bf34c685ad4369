// The folder scan on an in-memory tree, through the plain holder of the
// control values.
#include "core/scan.h"

#include <gtest/gtest.h>

#include "core/control_values.h"
#include "core/rename.h"
#include "memory_file_system.h"

namespace velmora {
namespace {

using testing::MemoryFileSystem;
using Paths = std::vector<Text>;

class ScanTest : public ::testing::Test {
protected:
    // D:\d holds a.txt and b.txt, s1 with x, and s2 whose subfolder t holds y.
    void SetUp() override {
        fs.add_file("D:\\d\\a.txt");
        fs.add_file("D:\\d\\b.txt");
        fs.add_file("D:\\d\\s1\\x");
        fs.add_file("D:\\d\\s2\\t\\y");
    }
    Paths run(const Text& folder, const Text& pattern, bool ticked) {
        controls.set_text(EditBox::编辑框1, folder);
        controls.set_text(EditBox::编辑框4, pattern);
        controls.tick(ticked);
        scan(controls, fs);
        EXPECT_EQ(fs.open_searches(), 0) << "a search was left open";
        return controls.items();
    }

    MemoryFileSystem fs;
    ControlValues controls;
};

TEST_F(ScanTest, ListsEachFoldersFilesBeforeItsSubfoldersDepthFirst) {
    struct Case {
        const char* label;
        Text folder, pattern;
        bool ticked;
        Paths expected;
    } cases[] = {
        {"subfolders included",
         "D:\\d",
         "*.*",
         true,
         {"D:\\d\\a.txt", "D:\\d\\b.txt", "D:\\d\\s1\\x", "D:\\d\\s2\\t\\y"}},
        {"subfolders left out", "D:\\d", "*.*", false, {"D:\\d\\a.txt", "D:\\d\\b.txt"}},
        {"a trailing backslash is not doubled",
         "D:\\d\\",
         "*.*",
         false,
         {"D:\\d\\a.txt", "D:\\d\\b.txt"}},
        {"an empty pattern lists as *.*",
         "D:\\d",
         "",
         true,
         {"D:\\d\\a.txt", "D:\\d\\b.txt", "D:\\d\\s1\\x", "D:\\d\\s2\\t\\y"}},
        {"a pattern enters every subfolder whatever its name",
         "D:\\d",
         "y",
         true,
         {"D:\\d\\s2\\t\\y"}},
        {"a pattern matching only a folder lists nothing for it", "D:\\d", "s*", true, {}},
        {"a pattern of blanks is used as it is", "D:\\d", "  ", true, {}},
        {"a missing folder lists nothing", "D:\\nowhere", "*.*", true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        controls.clear_items();
        controls.append_item("D:\\old");
        EXPECT_EQ(run(c.folder, c.pattern, c.ticked), c.expected);
        // The scan works on its own copies of the texts it read.
        EXPECT_EQ(controls.get_text(EditBox::编辑框1), c.folder);
        EXPECT_EQ(controls.get_text(EditBox::编辑框4), c.pattern);
        EXPECT_FALSE(controls.is_disabled(Button::按钮4));
        EXPECT_FALSE(controls.is_frozen());
    }
}

TEST_F(ScanTest, AnEmptyFolderTextSearchesTheRootOfTheCurrentDrive) {
    fs.add_file("\\top.txt");
    EXPECT_EQ(run("", "*.txt", false), Paths{"\\top.txt"});
}

TEST_F(ScanTest, AFolderEndingInASecondByte5CGetsNoBackslash) {
    // D:\乗 ends in the byte 5C, which is taken for a backslash: the pattern
    // follows it directly, and so does every name found.
    const Text folder = "D:\\\x81\x5C";
    fs.add_file(
        "D:\\\x81\x5C"
        "f.txt");
    EXPECT_EQ(run(folder, "*", false), Paths{folder + "\x81\x5C"
                                                      "f.txt"});
    EXPECT_EQ(fs.search_texts.front(), folder + "*");
}

TEST_F(ScanTest, HiddenAndSystemEntriesCountAndDotsAreNeverEntered) {
    fs.add_file("D:\\h\\hidden.txt", 0x02);
    fs.add_file("D:\\h\\system.txt", 0x04);
    fs.add_folder("D:\\h\\hf", kAttributeDirectory | 0x02 | 0x04);
    fs.add_file("D:\\h\\hf\\in.txt");
    EXPECT_EQ(run("D:\\h", "*.*", true),
              (Paths{"D:\\h\\hidden.txt", "D:\\h\\system.txt", "D:\\h\\hf\\in.txt"}));
}

TEST_F(ScanTest, AFolderWhoseNameIsNotExactIsNotEntered) {
    fs.add_folder("D:\\n\\a?b");  // a name the code page could not hold
    fs.add_file("D:\\n\\a?b\\inside.txt");
    fs.add_file("D:\\n\\c?d.txt");  // a file so named is still listed
    EXPECT_EQ(run("D:\\n", "*.*", true), Paths{"D:\\n\\c?d.txt"});
}

TEST_F(ScanTest, TheSwitchIsReadLiveAtEachLevel) {
    // Unticked after the first subfolder: s2 still has its own files listed
    // (none), but its subfolder t is no longer entered.
    fs.add_file("D:\\d\\s2\\z");
    controls.set_text(EditBox::编辑框1, "D:\\d");
    controls.tick(true);
    controls.post([this] { controls.tick(false); });
    scan(controls, fs);
    EXPECT_EQ(controls.items(),
              (Paths{"D:\\d\\a.txt", "D:\\d\\b.txt", "D:\\d\\s1\\x", "D:\\d\\s2\\z"}));
}

TEST_F(ScanTest, WhileItRunsTheButtonIsDisabledAndThePreviousListShows) {
    controls.append_item("D:\\old");
    bool checked = false;
    controls.post([&] {
        checked = true;
        EXPECT_TRUE(controls.is_disabled(Button::按钮4));
        EXPECT_EQ(controls.items(), Paths{"D:\\old"});
    });
    run("D:\\d", "*.*", true);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(controls.is_disabled(Button::按钮4));
}

TEST_F(ScanTest, ARenameRunNestedInTheScanWorksOnThePreviousList) {
    fs.add_file("D:\\e\\p.txt");
    controls.append_item("D:\\e\\p.txt");
    controls.set_text(EditBox::编辑框2, "TAG");
    controls.post([this] { batch_rename(controls, fs, Rule::suffix); });
    Paths listed = run("D:\\d", "*.*", true);
    EXPECT_TRUE(fs.exists("D:\\e\\pTAG.txt"));
    EXPECT_EQ(listed.size(), 4u);
}

TEST_F(ScanTest, AFailedAppendIsSkippedAndTheRestAppended) {
    controls.set_capacity(1);
    EXPECT_EQ(run("D:\\d", "*.*", false), Paths{"D:\\d\\a.txt"});
}

TEST_F(ScanTest, ACloseDuringTheScanStopsItWithoutTouchingAControl) {
    fs.add_file("D:\\d\\s3\\w");
    controls.append_item("D:\\old");
    controls.set_text(EditBox::编辑框1, "D:\\d");
    controls.tick(true);
    controls.post([this] { controls.close(); });
    scan(controls, fs);
    EXPECT_EQ(controls.touched_after_close(), 0);
    EXPECT_EQ(controls.items(), Paths{"D:\\old"});
    EXPECT_EQ(fs.open_searches(), 0);
    // It stopped at the close: the later subfolders were never read.
    EXPECT_LE(fs.searches_opened(), 3);
}

TEST_F(ScanTest, DirectoryLinksAreEnteredButNeverRoundACycle) {
    struct Case {
        const char* label;
        const char* link;
        const char* target;
        Paths expected;
    } cases[] = {
        {"a link to its own parent", "D:\\c\\sub\\up", "D:\\c", {"D:\\c\\f", "D:\\c\\sub\\g"}},
        {"a link to itself", "D:\\c\\sub\\self", "D:\\c\\sub", {"D:\\c\\f", "D:\\c\\sub\\g"}},
        {"a link to another tree is entered",
         "D:\\c\\sub\\other",
         "D:\\o",
         {"D:\\c\\f", "D:\\c\\sub\\g", "D:\\c\\sub\\other\\h"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        MemoryFileSystem tree;
        tree.add_file("D:\\c\\f");
        tree.add_file("D:\\c\\sub\\g");
        tree.add_file("D:\\o\\h");
        tree.add_link(c.link, c.target);
        ControlValues window;
        window.set_text(EditBox::编辑框1, "D:\\c");
        window.tick(true);
        scan(window, tree);
        EXPECT_EQ(window.items(), c.expected);
    }
}

TEST_F(ScanTest, TwoLinksIntoEachOtherEnd) {
    MemoryFileSystem tree;
    tree.add_file("D:\\r\\a\\fa");
    tree.add_file("D:\\r\\b\\fb");
    tree.add_link("D:\\r\\a\\tob", "D:\\r\\b");
    tree.add_link("D:\\r\\b\\toa", "D:\\r\\a");
    ControlValues window;
    window.set_text(EditBox::编辑框1, "D:\\r");
    window.tick(true);
    scan(window, tree);
    EXPECT_EQ(window.items(),
              (Paths{"D:\\r\\a\\fa", "D:\\r\\a\\tob\\fb", "D:\\r\\b\\fb", "D:\\r\\b\\toa\\fa"}));
}

TEST(FindEntry, ModesAndTheSearchState) {
    MemoryFileSystem fs;
    fs.add_file("D:\\m\\f1");
    fs.add_folder("D:\\m\\sub");
    fs.add_file("D:\\m\\f2", 0x01 | 0x20);
    SearchState state;
    EXPECT_EQ(find_entry(fs, state, "D:\\m\\*.*", EntryMode::files_only), "f1");
    EXPECT_EQ(find_entry(fs, state, "", EntryMode::files_only), "f2");
    EXPECT_EQ(find_entry(fs, state, "", EntryMode::files_only), "");
    EXPECT_EQ(fs.open_searches(), 0) << "exhausting a search closes it";
    EXPECT_EQ(find_entry(fs, state, "", EntryMode::files_only), "") << "no open search";

    EXPECT_EQ(find_entry(fs, state, "D:\\m\\*.*", EntryMode::folders_only), ".");
    EXPECT_EQ(find_entry(fs, state, "", EntryMode::folders_only), "..");
    EXPECT_EQ(find_entry(fs, state, "", EntryMode::folders_only), "sub");
    // A new search text closes the open search first.
    EXPECT_EQ(find_entry(fs, state, "D:\\m\\f*", EntryMode::files_only), "f1");
    EXPECT_EQ(fs.open_searches(), 1);
    close_search(state);
    EXPECT_EQ(fs.open_searches(), 0);
    close_search(state);  // nothing open: nothing happens
    EXPECT_EQ(find_entry(fs, state, "D:\\missing\\*.*", EntryMode::files_only), "");
}

}  // namespace
}  // namespace velmora
