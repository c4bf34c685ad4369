#pragma once
// The control operations on the real controls of the main window.
#include <windows.h>

#include "core/controls.h"

namespace velmora {

// A window's whole text in the ANSI code page; empty when it has none.
Text window_text(HWND window);

class MainWindow;

class Win32Controls : public Controls {
public:
    explicit Win32Controls(MainWindow& window) : window_(window) {}

    Text get_text(EditBox box) override;
    void set_text(EditBox box, const Text& text) override;
    void set_disabled(Button button, bool disabled) override;
    bool is_ticked() override;
    int item_count() override;
    Text item_text(int index) override;
    int append_item(const Text& text) override;
    bool delete_item(int index) override;
    void clear_items() override;
    void freeze_list(bool frozen) override;
    bool process_pending_events() override;

private:
    MainWindow& window_;
};

}  // namespace velmora
