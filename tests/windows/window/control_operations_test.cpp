// The control operations on the real controls, and process_pending_events
// with the program's real work behind the buttons, on real folders.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../temp_tree.h"
#include "platform/win32/win32_file_system.h"
#include "window_harness.h"

namespace velmora::testing {
namespace {

using ControlOperations = WindowTest;

std::vector<Text> items_of(Controls& controls) {
    std::vector<Text> items;
    for (int i = 0; i < controls.item_count(); ++i) items.push_back(controls.item_text(i));
    return items;
}

TEST_F(ControlOperations, AppendAddsAtTheEndUnsortedWithItemValueZero) {
    EXPECT_EQ(controls().append_item("b"), 0);
    EXPECT_EQ(controls().append_item("a"), 1);
    EXPECT_EQ(controls().append_item("b"), 2);
    EXPECT_EQ(controls().append_item(""), 3);
    EXPECT_EQ(items_of(controls()), (std::vector<Text>{"b", "a", "b", ""}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(SendMessageA(control(Control::列表框1), LB_GETITEMDATA, i, 0), 0);
    }
}

TEST_F(ControlOperations, IndexesOutsideTheListChangeNothing) {
    for (const char* item : {"p", "q", "r"}) controls().append_item(item);
    EXPECT_TRUE(controls().delete_item(0));
    EXPECT_EQ(items_of(controls()), (std::vector<Text>{"q", "r"}));
    struct Case {
        int index;
    };
    for (Case c : {Case{2}, Case{-1}, Case{1000}}) {
        SCOPED_TRACE(c.index);
        EXPECT_FALSE(controls().delete_item(c.index));
        EXPECT_EQ(controls().item_text(c.index), "");
        EXPECT_EQ(items_of(controls()), (std::vector<Text>{"q", "r"}));
    }
    EXPECT_EQ(controls().item_text(1), "r");
}

TEST_F(ControlOperations, ClearingAnEmptyListLeavesItEmpty) {
    controls().clear_items();
    EXPECT_EQ(controls().item_count(), 0);
    controls().append_item("x");
    controls().clear_items();
    EXPECT_EQ(controls().item_count(), 0);
}

TEST_F(ControlOperations, TextsComeBackByteForByte) {
    struct Case {
        const char* label;
        Text text;
    };
    const Case cases[] = {
        {"two blanks", "  "},
        {"empty", ""},
        {"a path with a second byte 0x5C", "D:\\\x81\x5C\\a.txt"},
        {"a tab", "a\tb"},
        {"long", Text(5000, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        controls().set_text(EditBox::编辑框3, c.text);
        EXPECT_EQ(controls().get_text(EditBox::编辑框3), c.text);
        controls().clear_items();
        EXPECT_EQ(controls().append_item(c.text), 0);
        EXPECT_EQ(controls().item_text(0), c.text);
    }
}

TEST_F(ControlOperations, MoreItemsThanFitBringUpTheScrollBar) {
    HWND list = control(Control::列表框1);
    window_->show();
    controls().freeze_list(true);
    for (int i = 0; i < 40; ++i) controls().append_item("item " + std::to_string(i));
    controls().freeze_list(false);
    pump();
    EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL);
    controls().clear_items();
    pump();
    EXPECT_FALSE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ControlOperations, IsTickedFollowsTheUsersClicks) {
    window_->show();
    HWND box = control(Control::选择框1);
    for (bool expected : {true, false, true}) {
        SCOPED_TRACE(expected);
        PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        ASSERT_TRUE(pump());
        EXPECT_EQ(controls().is_ticked(), expected);
    }
}

TEST_F(ControlOperations, SetDisabledGreysTheButtonOut) {
    controls().set_disabled(Button::按钮4, true);
    EXPECT_FALSE(IsWindowEnabled(control(Control::按钮4)));
    controls().set_disabled(Button::按钮4, true);
    EXPECT_FALSE(IsWindowEnabled(control(Control::按钮4)));
    controls().set_disabled(Button::按钮4, false);
    EXPECT_TRUE(IsWindowEnabled(control(Control::按钮4)));
}

TEST_F(ControlOperations, PendingEventsReturnAtOnceWhenTheQueueIsEmpty) {
    drain_queue();
    EXPECT_TRUE(pump());
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(ControlOperations, AWaitingQuitMessageStaysQueued) {
    PostMessageA(control(Control::按钮3), BM_CLICK, 0, 0);
    PostQuitMessage(7);
    PostMessageA(control(Control::按钮2), BM_CLICK, 0, 0);
    EXPECT_TRUE(pump());
    // Posted messages come before the quit message, whatever the order of posting.
    EXPECT_EQ(events_.clicks, (std::vector<Button>{Button::按钮3, Button::按钮2}));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_TRUE(pump()) << "returns at once, the quit message still first";
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
}

// The real file system, counting the searches it was asked to open.
class CountingFileSystem : public Win32FileSystem {
public:
    std::unique_ptr<DirectorySearch> open_search(const std::string& search_text,
                                                 DirectoryEntry& first) override {
        searches.push_back(search_text);
        return Win32FileSystem::open_search(search_text, first);
    }
    std::vector<std::string> searches;
};

TEST_F(ControlOperations, AWaitingClickOnTheSuffixButtonRunsTheWholeRenameInside) {
    TempTree tree;
    tree.file(L"a.txt", "1");
    tree.file(L"b.txt", "2");
    tree.file(L"c.txt", "3");
    tree.file(L"cTAG.txt", "taken");
    Win32FileSystem fs;
    events_.fs = &fs;
    for (const char* name : {"a.txt", "c.txt", "b.txt"}) {
        controls().append_item(tree.ansi(L"") + "\\" + name);
    }
    controls().set_text(EditBox::编辑框2, "TAG");
    PostMessageA(control(Control::按钮2), BM_CLICK, 0, 0);

    EXPECT_TRUE(pump());

    EXPECT_EQ(items_of(controls()), (std::vector<Text>{tree.ansi(L"") + "\\c.txt"}));
    EXPECT_EQ(tree.contents(L"aTAG.txt"), "1");
    EXPECT_EQ(tree.contents(L"bTAG.txt"), "2");
    EXPECT_EQ(tree.contents(L"c.txt"), "3");
    EXPECT_EQ(tree.contents(L"cTAG.txt"), "taken");
    EXPECT_FALSE(tree.exists(L"a.txt"));
}

TEST_F(ControlOperations, AScanFillsTheListWithTheRealTree) {
    TempTree tree;
    tree.file(L"a.txt", "");
    tree.file(L"s1\\x.txt", "");
    tree.file(L"s2\\t\\y.txt", "");
    Win32FileSystem fs;
    events_.fs = &fs;
    controls().set_text(EditBox::编辑框1, tree.ansi(L""));
    SendMessageA(control(Control::选择框1), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(control(Control::按钮4), BM_CLICK, 0, 0);
    EXPECT_TRUE(pump());
    std::vector<Text> items = items_of(controls());
    std::sort(items.begin(), items.end());
    Text root = tree.ansi(L"");
    EXPECT_EQ(items,
              (std::vector<Text>{root + "\\a.txt", root + "\\s1\\x.txt", root + "\\s2\\t\\y.txt"}));
    EXPECT_TRUE(IsWindowEnabled(control(Control::按钮4)));
}

// A close request waiting when the scan lets events in, as a posted close
// (the close button, Alt+F4) or as Esc typed into an edit box.
TEST_F(ControlOperations, ACloseDuringAScanStopsItWithoutTouchingTheWindow) {
    struct Case {
        const char* label;
        bool esc;
    };
    for (Case c : {Case{"close request", false}, Case{"Esc in 编辑框1", true}}) {
        SCOPED_TRACE(c.label);
        open();
        window_->show();
        pump();
        TempTree tree;
        for (const wchar_t* folder : {L"s1", L"s2", L"s3", L"s4"}) {
            tree.file(std::wstring(folder) + L"\\f.txt", "");
            tree.file(std::wstring(folder) + L"\\sub\\g.txt", "");
        }
        CountingFileSystem fs;
        events_.fs = &fs;
        controls().set_text(EditBox::编辑框1, tree.ansi(L""));
        controls().append_item("previous list");
        SendMessageA(control(Control::选择框1), BM_SETCHECK, BST_CHECKED, 0);
        HWND main = window_->hwnd();
        PostMessageA(control(Control::按钮4), BM_CLICK, 0, 0);
        if (c.esc) {
            PostMessageA(control(Control::编辑框1), WM_KEYDOWN, VK_ESCAPE, 1);
        } else {
            PostMessageA(main, WM_CLOSE, 0, 0);
        }

        EXPECT_FALSE(pump());

        EXPECT_EQ(events_.clicks, (std::vector<Button>{Button::按钮4}));
        EXPECT_FALSE(IsWindow(main));
        EXPECT_TRUE(quit_waiting());
        // The root, then the first subfolder and its own subfolder; then the
        // close was handled and no further folder was searched.
        EXPECT_EQ(fs.searches.size(), 3u);
    }
}

TEST_F(ControlOperations, NoOperationReachesAClosedWindow) {
    HWND list = control(Control::列表框1);
    controls().append_item("x");
    DestroyWindow(window_->hwnd());
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(controls().item_count(), 0);
    EXPECT_EQ(controls().append_item("y"), -1);
    EXPECT_EQ(controls().get_text(EditBox::编辑框4), "");
    EXPECT_FALSE(controls().delete_item(0));
    EXPECT_FALSE(pump());
    // A click handler that comes late does nothing either.
    Win32FileSystem fs;
    on_button_clicked(*window_, fs, Button::按钮4);
    on_button_clicked(*window_, fs, Button::按钮2);
    EXPECT_TRUE(quit_waiting());
}

}  // namespace
}  // namespace velmora::testing
