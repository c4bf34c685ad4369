#pragma once
// The program: start-up, the binding of the window's events to their work,
// the message loop and the end.
#include <windows.h>

#include "platform/file_system.h"
#include "ui/main_window.h"

namespace velmora {

// The instruction text of the folder browser.
inline constexpr char kBrowseInstruction[] = "请选择一个文件夹";

// The work behind a click on each button: 按钮1 the folder browser, 按钮2 the
// suffix rename, 按钮3 the prefix rename, 按钮4 the scan.
void on_button_clicked(MainWindow& window, FileSystem& fs, Button button);

// The program's own binding of the window's events.
class ProgramEvents : public MainWindowEvents {
public:
    explicit ProgramEvents(FileSystem& fs) : fs_(fs) {}
    void on_created(MainWindow& window) override;
    void on_clicked(MainWindow& window, Button button) override;
    void on_banner_pressed(MainWindow& window, int x, int y, int modifiers) override;

private:
    FileSystem& fs_;
};

// The whole run; gives the exit status (0 after the window was closed).
int run_program(HINSTANCE instance);

}  // namespace velmora
