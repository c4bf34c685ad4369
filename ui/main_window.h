#pragma once
// The main window: built once from a fixed table of twenty controls, with its
// own keyboard handling (Tab, Shift+Tab, Esc) and the events that the program
// binds to its work.
#include <windows.h>

#include <array>
#include <memory>

#include "core/controls.h"
#include "ui/win32_controls.h"

namespace velmora {

// The controls in creation order, which is also the tab order.
enum class Control {
    标签1,
    编辑框1,
    按钮1,
    标签2,
    列表框1,
    标签3,
    编辑框2,
    标签4,
    编辑框3,
    标签5,
    按钮2,
    按钮3,
    标签6,
    编辑框4,
    标签7,
    选择框1,
    按钮4,
    标签8,
    编辑框5,
    图片框1,
};
inline constexpr int kControlCount = 20;

// The child-window id of a control (its place in creation order, from 1).
inline int control_id(Control control) {
    return static_cast<int>(control) + 1;
}

// The controls behind the core's names for them.
inline Control control_of(EditBox box) {
    constexpr Control boxes[] = {Control::编辑框1, Control::编辑框2, Control::编辑框3,
                                 Control::编辑框4, Control::编辑框5};
    return boxes[static_cast<int>(box)];
}
inline Control control_of(Button button) {
    constexpr Control buttons[] = {Control::按钮1, Control::按钮2, Control::按钮3, Control::按钮4};
    return buttons[static_cast<int>(button)];
}

class MainWindow;

// What the window's events do. The window raises them; the program (or a
// test) decides what they do.
class MainWindowEvents {
public:
    virtual ~MainWindowEvents() = default;
    // Once, after every control exists and before the window is first shown.
    virtual void on_created(MainWindow& window) = 0;
    virtual void on_clicked(MainWindow& window, Button button) = 0;
    // Left button pressed on 图片框1: position in its client area and the
    // modifier keys held (1 Ctrl, 2 Shift, 4 Alt, added).
    virtual void on_banner_pressed(MainWindow& window, int x, int y, int modifiers) = 0;
};

class MainWindow {
public:
    // Builds the window, still hidden, with all its controls shown, and runs
    // the created event. Null when the window cannot be created.
    static std::unique_ptr<MainWindow> create(HINSTANCE instance, MainWindowEvents& events);
    // Destroys the window if it still exists.
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Shows and activates the window.
    void show();

    // Null once the window has been destroyed.
    HWND hwnd() const { return hwnd_; }
    HWND control(Control control) const { return controls_hwnd_[static_cast<int>(control)]; }
    bool alive() const { return hwnd_ != nullptr; }
    Controls& controls() { return controls_; }

    // The window's look at key presses before they reach the focused control:
    // true when it consumed the message (Tab, Shift+Tab, Esc). Both the
    // message loop and process_pending_events call it for every message.
    bool pre_translate(const MSG& message);

private:
    explicit MainWindow(MainWindowEvents& events);
    static LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    bool OnCreate(const CREATESTRUCTA* create);
    void OnCommand(int id, int code);
    void OnBannerPressed(int x, int y, int modifiers);
    void OnActivate(bool active);
    void OnSetFocus();
    void OnDestroy();

    void move_focus(bool forward);
    bool eligible(Control control) const;

    MainWindowEvents& events_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    HICON big_icon_ = nullptr;
    HICON small_icon_ = nullptr;
    std::array<HWND, kControlCount> controls_hwnd_{};
    // The control that had the focus when the window was last deactivated.
    HWND saved_focus_ = nullptr;
    Win32Controls controls_;
};

// Runs the message loop until the quit message; gives its exit code.
int run_message_loop(MainWindow& window);

}  // namespace velmora
