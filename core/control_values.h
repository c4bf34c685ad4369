#pragma once
// A plain holder of the values behind the control operations, with no window:
// the core runs against it exactly as against the real window. Events queued
// with post() run inside process_pending_events, nested in the caller.
#include <array>
#include <deque>
#include <functional>
#include <vector>

#include "core/controls.h"

namespace velmora {

class ControlValues : public Controls {
public:
    ControlValues();

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

    // What the user does between handlers (or while a scan lets events in).
    void tick(bool ticked) { ticked_ = ticked; }
    bool is_disabled(Button button) const { return disabled_[index(button)]; }
    bool is_frozen() const { return frozen_; }
    const std::vector<Text>& items() const { return items_; }
    void post(std::function<void()> event) { queue_.push_back(std::move(event)); }
    // A close request: the window is gone from then on. Touching a control
    // after that is recorded as a fault.
    void close() { closed_ = true; }
    bool closed() const { return closed_; }
    int touched_after_close() const { return touched_after_close_; }
    // The most items the list takes; append_item gives -1 beyond it.
    void set_capacity(std::size_t capacity) { capacity_ = capacity; }

private:
    template <typename E>
    static std::size_t index(E e) {
        return static_cast<std::size_t>(e);
    }
    void touch();

    std::array<Text, 5> texts_;
    std::array<bool, 4> disabled_{};
    bool ticked_ = false;
    bool frozen_ = false;
    bool closed_ = false;
    int touched_after_close_ = 0;
    std::size_t capacity_ = static_cast<std::size_t>(-1);
    std::vector<Text> items_;
    std::deque<std::function<void()>> queue_;
};

}  // namespace velmora
