#include "ui/program.h"

#include <ole2.h>

#include "core/rename.h"
#include "core/scan.h"
#include "platform/win32/win32_file_system.h"
#include "ui/fatal.h"
#include "ui/shell.h"
#include "ui/site.h"

namespace velmora {

void on_button_clicked(MainWindow& window, FileSystem& fs, Button button) {
    if (!window.alive()) return;
    switch (button) {
        case Button::按钮1: {
            Text folder = browse_for_folder(kBrowseInstruction);
            // The dialog runs its own loop: the window may be gone by now.
            // A cancel empties the box on purpose.
            if (window.alive()) window.controls().set_text(EditBox::编辑框1, folder);
            break;
        }
        case Button::按钮2:
            batch_rename(window.controls(), fs, Rule::suffix);
            break;
        case Button::按钮3:
            batch_rename(window.controls(), fs, Rule::prefix);
            break;
        case Button::按钮4:
            scan(window.controls(), fs);
            break;
    }
}

void ProgramEvents::on_created(MainWindow& window) {
    open_web_address(site_address());
    window.controls().set_text(EditBox::编辑框1, current_folder());
}

void ProgramEvents::on_clicked(MainWindow& window, Button button) {
    on_button_clicked(window, fs_, button);
}

void ProgramEvents::on_banner_pressed(MainWindow&, int, int, int) {
    open_web_address(site_address());
}

int run_program(HINSTANCE instance) {
    OleInitialize(nullptr);
    make_program_folder_current();

    Win32FileSystem fs;
    ProgramEvents events(fs);
    std::unique_ptr<MainWindow> window = MainWindow::create(instance, events);
    if (!window) fatal_error("载入启动窗口失败");
    window->show();
    run_message_loop(*window);
    window.reset();

    OleUninitialize();
    return 0;
}

}  // namespace velmora
