// Runs of the batch renames over the in-memory tree: which files are renamed,
// in which order, and what the list holds afterwards.
#include "core/rename.h"

#include <gtest/gtest.h>

#include "core/control_values.h"
#include "memory_file_system.h"

namespace velmora {
namespace {

using testing::MemoryFileSystem;
using Paths = std::vector<Text>;

struct RunTest : ::testing::Test {
    void list(const Paths& paths) {
        for (const Text& p : paths) {
            fs.add_file(p);
            controls.append_item(p);
        }
    }
    MemoryFileSystem fs;
    ControlValues controls;
};

TEST_F(RunTest, SucceedFailSucceedSucceedFailLeavesTheSecondAndFifth) {
    list({"D:\\d\\1.txt", "D:\\d\\2.txt", "D:\\d\\3.txt", "D:\\d\\4.txt", "D:\\d\\5.txt"});
    fs.fail_rename_of("D:\\d\\2.txt");
    fs.fail_rename_of("D:\\d\\5.txt");
    controls.set_text(EditBox::编辑框2, "TAG");
    batch_rename(controls, fs, Rule::suffix);
    EXPECT_EQ(controls.items(), (Paths{"D:\\d\\2.txt", "D:\\d\\5.txt"}));
    ASSERT_EQ(fs.renames.size(), 5u) << "each file exactly once";
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(fs.renames[i].first, "D:\\d\\" + std::to_string(i + 1) + ".txt");
        EXPECT_EQ(fs.renames[i].second, "D:\\d\\" + std::to_string(i + 1) + "TAG.txt");
    }
    EXPECT_FALSE(controls.is_frozen());
}

TEST_F(RunTest, ThePrefixRuleReadsItsOwnTagAndTheSharedFilter) {
    list({"D:\\d\\x_tmp.txt"});
    controls.set_text(EditBox::编辑框2, "WRONG");
    controls.set_text(EditBox::编辑框3, "P-");
    controls.set_text(EditBox::编辑框5, "_tmp");
    batch_rename(controls, fs, Rule::prefix);
    EXPECT_TRUE(controls.items().empty());
    EXPECT_EQ(fs.files(), Paths{"D:\\d\\P-x.txt"});
}

TEST_F(RunTest, AllFailLeavesTheListAsItWas) {
    list({"D:\\d\\a", "D:\\d\\b"});
    fs.fail_rename_of("D:\\d\\a");
    fs.fail_rename_of("D:\\d\\b");
    batch_rename(controls, fs, Rule::suffix);
    EXPECT_EQ(controls.items(), (Paths{"D:\\d\\a", "D:\\d\\b"}));
}

TEST_F(RunTest, TheSamePathIsStillAskedForAndItsFlagDecides) {
    list({"D:\\d\\readme"});
    batch_rename(controls, fs, Rule::suffix);  // no tag, no full stop: unchanged
    ASSERT_EQ(fs.renames.size(), 1u);
    EXPECT_EQ(fs.renames[0].second, "D:\\d\\readme");
    EXPECT_TRUE(controls.items().empty());
}

TEST_F(RunTest, ATakenNameFailsAndASecondRunRenamesIt) {
    list({"D:\\d\\a.txt", "D:\\d\\aTAG.txt"});
    controls.set_text(EditBox::编辑框2, "TAG");
    batch_rename(controls, fs, Rule::suffix);
    EXPECT_EQ(controls.items(), Paths{"D:\\d\\a.txt"});
    batch_rename(controls, fs, Rule::suffix);
    EXPECT_TRUE(controls.items().empty());
    EXPECT_EQ(fs.files(), (Paths{"D:\\d\\aTAGTAG.txt", "D:\\d\\aTAG.txt"}));
}

TEST_F(RunTest, AnEmptyListDoesNothing) {
    batch_rename(controls, fs, Rule::prefix);
    EXPECT_TRUE(fs.renames.empty());
}

TEST_F(RunTest, AMissingTargetFolderFailsAndNothingIsLost) {
    list({"D:\\b.txt\\a.txt"});
    controls.set_text(EditBox::编辑框2, "TAG");
    batch_rename(controls, fs, Rule::suffix);
    EXPECT_EQ(fs.renames[0].second, "D:\\bTAG.txt\\aTAG.txt");
    EXPECT_EQ(controls.items(), Paths{"D:\\b.txt\\a.txt"});
    EXPECT_EQ(fs.files(), Paths{"D:\\b.txt\\a.txt"});
}

}  // namespace
}  // namespace velmora
