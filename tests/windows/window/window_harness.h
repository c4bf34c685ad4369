#pragma once
// The real main window built in this process, with events that record what
// the window raised and can pass the clicks on to the program's real work.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/file_system.h"
#include "ui/main_window.h"
#include "ui/program.h"

namespace velmora::testing {

class RecordingEvents : public MainWindowEvents {
public:
    void on_created(MainWindow&) override { ++created; }
    void on_clicked(MainWindow& window, Button button) override {
        clicks.push_back(button);
        if (fs != nullptr) on_button_clicked(window, *fs, button);
    }
    void on_banner_pressed(MainWindow&, int, int, int) override { ++banner_presses; }

    int created = 0;
    int banner_presses = 0;
    std::vector<Button> clicks;
    // When set, the clicks run the program's own work on this file system.
    FileSystem* fs = nullptr;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { open(); }
    void TearDown() override {
        window_.reset();
        drain_queue();
    }

    void open() {
        window_.reset();
        drain_queue();
        events_ = RecordingEvents();
        window_ = MainWindow::create(GetModuleHandleA(nullptr), events_);
        ASSERT_NE(window_, nullptr);
    }

    // Everything still queued for this thread, the quit message included, so
    // that one case's close does not end the next case's loop.
    static void drain_queue() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    static bool quit_waiting() {
        MSG message;
        return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
    }

    HWND control(Control c) const { return window_->control(c); }
    Controls& controls() { return window_->controls(); }
    bool pump() { return window_->controls().process_pending_events(); }

    // A key press as the keyboard would queue it, with Shift held or not.
    // The modifier state is the thread's key state, which is what the window
    // reads; it is restored afterwards.
    bool press_key(HWND target, UINT key, bool shift = false) {
        BYTE state[256];
        GetKeyboardState(state);
        BYTE saved = state[VK_SHIFT];
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        PostMessageA(target, WM_KEYDOWN, key, 1);
        PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        bool alive = pump();
        GetKeyboardState(state);
        state[VK_SHIFT] = saved;
        SetKeyboardState(state);
        return alive;
    }

    RecordingEvents events_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace velmora::testing
