// velmora.exe started as a process of its own, and watched from this one:
// its window's controls are read across processes (Wine marshals WM_GETTEXT),
// its presses on the banner are real mouse input, and the web addresses it
// opens are recorded by a stand-in xdg-open, which Wine hands them to.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "../temp_tree.h"
#include "program_process.h"
#include "ui/main_window.h"
#include "ui/shell.h"
#include "ui/site.h"

namespace velmora::testing {
namespace {

class ProgramRun : public VelmoraProcessTest {};

TEST_F(ProgramRun, ShowsItsOwnFolderWhateverItWasStartedFromAndIgnoresArguments) {
    TempTree elsewhere;
    start_velmora(elsewhere.ansi(L""), "C:\\ --folder=C:\\windows *.txt");
    EXPECT_EQ(text_in(Control::编辑框1), folder_part(velmora_exe()));
    EXPECT_EQ(text_in(Control::编辑框4), "*.*");
    EXPECT_EQ(close_and_wait(), 0u);
    EXPECT_TRUE(wait_for_browser_quiet());
}

TEST_F(ProgramRun, OpensTheSiteAtStartAndOncePerPressOnTheBanner) {
    TempTree elsewhere;
    start_velmora(elsewhere.ansi(L""));
    ASSERT_TRUE(wait_for_opened(1));
    EXPECT_EQ(browser_record()[0], site_address());

    click_banner(1, 0);
    ASSERT_TRUE(wait_for_opened(2));
    // The second press of a double click is a double click: one opening.
    click_banner(2, 1);
    ASSERT_TRUE(wait_for_opened(3));
    click_banner(1, 2);
    ASSERT_TRUE(wait_for_opened(4));

    EXPECT_EQ(close_and_wait(), 0u);
    ASSERT_TRUE(wait_for_browser_quiet());
    EXPECT_EQ(browser_record(), std::vector<std::string>(4, site_address()));
}

TEST_F(ProgramRun, EndsWithStatusZeroWhenClosedDuringAScan) {
    TempTree tree;
    for (int i = 0; i < 200; ++i) tree.file(L"d" + std::to_wstring(i) + L"\\f.txt", "");
    start_velmora(tree.ansi(L""));
    std::string folder = tree.ansi(L"");
    set_text(Control::编辑框1, folder);
    ASSERT_EQ(text_in(Control::编辑框1), folder);
    SendMessageA(control(Control::选择框1), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(control(Control::按钮4), BM_CLICK, 0, 0);
    EXPECT_EQ(close_and_wait(), 0u);
    EXPECT_TRUE(wait_for_browser_quiet());
}

}  // namespace
}  // namespace velmora::testing
