// The window's own keys: Tab and Shift+Tab through the eligible controls with
// wrap-around, Esc as a close request from anywhere, Enter clicking nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include "window_harness.h"

namespace velmora::testing {
namespace {

using WindowKeys = WindowTest;

TEST_F(WindowKeys, TabAndShiftTabMoveThroughTheEligibleControlsWrappingAround) {
    struct Case {
        const char* label;
        Control from;
        bool shift;
        bool button4_disabled;
        Control to;
    };
    const Case cases[] = {
        {"Tab to the next in tab order", Control::编辑框1, false, false, Control::按钮1},
        {"Tab skips labels", Control::按钮1, false, false, Control::列表框1},
        {"Tab from the list box", Control::列表框1, false, false, Control::编辑框2},
        {"Tab from 按钮3 skips 标签6 and 标签7", Control::按钮3, false, false, Control::编辑框4},
        {"Tab from 选择框1", Control::选择框1, false, false, Control::按钮4},
        {"Tab from the last wraps to the first", Control::编辑框5, false, false, Control::编辑框1},
        {"Shift+Tab from the first wraps to the last", Control::编辑框1, true, false,
         Control::编辑框5},
        {"Shift+Tab to the previous", Control::编辑框3, true, false, Control::编辑框2},
        {"Tab skips the disabled 按钮4", Control::选择框1, false, true, Control::编辑框5},
        {"Shift+Tab skips the disabled 按钮4", Control::编辑框5, true, true, Control::选择框1},
    };
    window_->show();
    pump();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        controls().set_disabled(Button::按钮4, c.button4_disabled);
        SetFocus(control(c.from));
        ASSERT_EQ(GetFocus(), control(c.from));
        ASSERT_TRUE(press_key(control(c.from), VK_TAB, c.shift));
        EXPECT_EQ(GetFocus(), control(c.to));
    }
    EXPECT_TRUE(events_.clicks.empty());
}

TEST_F(WindowKeys, TabWithNoControlFocusedGoesToTheFirst) {
    window_->show();
    pump();
    // Disabling the focused button leaves no control with the focus, as when
    // a click on 按钮4 starts a scan.
    SetFocus(control(Control::按钮4));
    controls().set_disabled(Button::按钮4, true);
    ASSERT_EQ(GetFocus(), nullptr);
    ASSERT_TRUE(press_key(window_->hwnd(), VK_TAB));
    EXPECT_EQ(GetFocus(), control(Control::编辑框1));
}

TEST_F(WindowKeys, EscClosesTheWindowWhicheverControlHasTheFocus) {
    const Control focused[] = {Control::编辑框1, Control::编辑框5, Control::按钮2, Control::列表框1,
                               Control::选择框1};
    for (Control c : focused) {
        SCOPED_TRACE(control_id(c));
        open();
        window_->show();
        pump();
        SetFocus(control(c));
        ASSERT_EQ(GetFocus(), control(c));
        HWND main = window_->hwnd();
        EXPECT_FALSE(press_key(control(c), VK_ESCAPE)) << "the window is gone";
        EXPECT_FALSE(IsWindow(main));
        EXPECT_FALSE(window_->alive());
        EXPECT_TRUE(quit_waiting());
    }
}

TEST_F(WindowKeys, EscWithShiftDoesNotClose) {
    window_->show();
    pump();
    SetFocus(control(Control::编辑框1));
    EXPECT_TRUE(press_key(control(Control::编辑框1), VK_ESCAPE, true));
    EXPECT_TRUE(window_->alive());
}

TEST_F(WindowKeys, EnterClicksNoButton) {
    const Control focused[] = {Control::编辑框1, Control::按钮1,   Control::按钮2,  Control::按钮3,
                               Control::按钮4,   Control::编辑框5, Control::选择框1};
    window_->show();
    pump();
    for (Control c : focused) {
        SCOPED_TRACE(control_id(c));
        SetFocus(control(c));
        PostMessageA(control(c), WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(control(c), WM_CHAR, '\r', 1);
        PostMessageA(control(c), WM_KEYUP, VK_RETURN, 0xC0000001);
        EXPECT_TRUE(pump());
        EXPECT_EQ(GetFocus(), control(c));
    }
    EXPECT_TRUE(events_.clicks.empty());
    EXPECT_FALSE(controls().is_ticked());
    // The same kind of key does reach the buttons: Space clicks.
    SetFocus(control(Control::按钮2));
    PostMessageA(control(Control::按钮2), WM_KEYDOWN, VK_SPACE, 1);
    PostMessageA(control(Control::按钮2), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_TRUE(pump());
    ASSERT_EQ(events_.clicks.size(), 1u);
    EXPECT_EQ(events_.clicks[0], Button::按钮2);
}

TEST_F(WindowKeys, TheFocusComesBackToTheControlThatHadIt) {
    window_->show();
    pump();
    SetFocus(control(Control::编辑框4));
    // Another top-level window takes the activation, then gives it back.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetActiveWindow(other);
    pump();
    ASSERT_NE(GetFocus(), control(Control::编辑框4));
    SetActiveWindow(window_->hwnd());
    pump();
    EXPECT_EQ(GetFocus(), control(Control::编辑框4));
    DestroyWindow(other);
}

}  // namespace
}  // namespace velmora::testing
