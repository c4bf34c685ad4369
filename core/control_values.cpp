#include "core/control_values.h"

namespace velmora {

ControlValues::ControlValues() {
    texts_[index(EditBox::编辑框4)] = "*.*";
}

void ControlValues::touch() {
    if (closed_) ++touched_after_close_;
}

Text ControlValues::get_text(EditBox box) {
    touch();
    return texts_[index(box)];
}

void ControlValues::set_text(EditBox box, const Text& text) {
    touch();
    texts_[index(box)] = text;
}

void ControlValues::set_disabled(Button button, bool disabled) {
    touch();
    disabled_[index(button)] = disabled;
}

bool ControlValues::is_ticked() {
    touch();
    return ticked_;
}

int ControlValues::item_count() {
    touch();
    return static_cast<int>(items_.size());
}

Text ControlValues::item_text(int index) {
    touch();
    if (index < 0 || index >= static_cast<int>(items_.size())) return Text();
    return items_[static_cast<std::size_t>(index)];
}

int ControlValues::append_item(const Text& text) {
    touch();
    if (items_.size() >= capacity_) return -1;
    items_.push_back(text);
    return static_cast<int>(items_.size()) - 1;
}

bool ControlValues::delete_item(int index) {
    touch();
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    items_.erase(items_.begin() + index);
    return true;
}

void ControlValues::clear_items() {
    touch();
    items_.clear();
}

void ControlValues::freeze_list(bool frozen) {
    touch();
    frozen_ = frozen;
}

bool ControlValues::process_pending_events() {
    while (!closed_ && !queue_.empty()) {
        auto event = std::move(queue_.front());
        queue_.pop_front();
        event();
    }
    return !closed_;
}

}  // namespace velmora
