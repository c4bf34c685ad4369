#include "ui/win32_controls.h"

#include <windows.h>

#include "ui/main_window.h"

namespace velmora {

// Every operation does nothing (and gives the empty result) once the window
// is gone: a handler that was interrupted by a close must not reach the
// destroyed controls, nor handles that may have been reused since.

Text window_text(HWND window) {
    // The length may be more than the text (two-byte characters are counted
    // as the wide text would be), never less: the copy tells the real length.
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return Text();
    Text text(static_cast<std::size_t>(length) + 1, '\0');
    int got = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

Text Win32Controls::get_text(EditBox box) {
    if (!window_.alive()) return Text();
    return window_text(window_.control(control_of(box)));
}

void Win32Controls::set_text(EditBox box, const Text& text) {
    if (!window_.alive()) return;
    SetWindowTextA(window_.control(control_of(box)), text.c_str());
}

void Win32Controls::set_disabled(Button button, bool disabled) {
    if (!window_.alive()) return;
    EnableWindow(window_.control(control_of(button)), disabled ? FALSE : TRUE);
}

bool Win32Controls::is_ticked() {
    if (!window_.alive()) return false;
    return SendMessageA(window_.control(Control::选择框1), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Win32Controls::item_count() {
    if (!window_.alive()) return 0;
    LRESULT count = SendMessageA(window_.control(Control::列表框1), LB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

Text Win32Controls::item_text(int index) {
    if (index < 0 || index >= item_count()) return Text();
    HWND list = window_.control(Control::列表框1);
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return Text();
    Text text(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 && got <= length ? static_cast<std::size_t>(got) : 0);
    return text;
}

int Win32Controls::append_item(const Text& text) {
    if (!window_.alive()) return -1;
    HWND list = window_.control(Control::列表框1);
    LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) return -1;  // LB_ERR or LB_ERRSPACE: the list is unchanged
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
    return static_cast<int>(index);
}

bool Win32Controls::delete_item(int index) {
    if (index < 0 || index >= item_count()) return false;
    return SendMessageA(window_.control(Control::列表框1), LB_DELETESTRING,
                        static_cast<WPARAM>(index), 0) != LB_ERR;
}

void Win32Controls::clear_items() {
    if (!window_.alive()) return;
    SendMessageA(window_.control(Control::列表框1), LB_RESETCONTENT, 0, 0);
}

void Win32Controls::freeze_list(bool frozen) {
    if (!window_.alive()) return;
    HWND list = window_.control(Control::列表框1);
    SendMessageA(list, WM_SETREDRAW, frozen ? FALSE : TRUE, 0);
    // With redraw off the list box draws nothing, not even its scroll bar;
    // switching it back on does not repaint what changed meanwhile.
    if (!frozen) InvalidateRect(list, nullptr, TRUE);
}

bool Win32Controls::process_pending_events() {
    MSG message;
    while (window_.alive() && PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        // The quit message belongs to the message loop: it stays queued until
        // the handler that called us has returned.
        if (message.message == WM_QUIT) break;
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // Only if the quit message overtook the one just seen: put it back.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (!window_.pre_translate(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return window_.alive();
}

}  // namespace velmora
