#pragma once
// The operations through which the core reads and writes the main window. The
// window realises them on its real controls (ui/); ControlValues is a plain
// holder of the same values for tests.
#include <cstdint>

#include "core/text.h"

namespace velmora {

enum class EditBox { 编辑框1, 编辑框2, 编辑框3, 编辑框4, 编辑框5 };
enum class Button { 按钮1, 按钮2, 按钮3, 按钮4 };

class Controls {
public:
    virtual ~Controls() = default;

    // The edit box's whole text, blanks included; empty for an empty box.
    virtual Text get_text(EditBox box) = 0;
    virtual void set_text(EditBox box, const Text& text) = 0;
    // True greys the button out: no input, no events, skipped by Tab.
    virtual void set_disabled(Button button, bool disabled) = 0;
    // Whether 选择框1 is ticked at this moment.
    virtual bool is_ticked() = 0;

    // The pending list 列表框1, indexed from 0.
    virtual int item_count() = 0;
    // The item's text, or empty for an index outside the list.
    virtual Text item_text(int index) = 0;
    // Adds at the end and gives the new index, or -1 when the list is full.
    virtual int append_item(const Text& text) = 0;
    // Removes one item (later ones move up); false for an index outside.
    virtual bool delete_item(int index) = 0;
    virtual void clear_items() = 0;
    // While frozen, changes to the list are not drawn; unfreezing shows the
    // list as it then stands. Filling a visible list item by item would redraw
    // it for every item.
    virtual void freeze_list(bool frozen) = 0;

    // Lets the window handle the input waiting in its queue, running other
    // handlers nested in this call; it returns at once when the queue is empty
    // or a quit message is next. False once the window is gone (it was closed
    // by a nested event), after which no control may be touched again.
    [[nodiscard]] virtual bool process_pending_events() = 0;
};

}  // namespace velmora
