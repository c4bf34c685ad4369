// The site is opened on behalf of an old browser's frame window when one
// exists. The system does not tell whom a request was made for; what shows
// is that the site still opens each time, and that the frame is left as it
// was.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "program_process.h"
#include "ui/site.h"

namespace velmora::testing {
namespace {

constexpr char kFrameTitle[] = "Microsoft Internet Explorer";

// A top-level window with that title, of a class of its own, in a thread of
// its own that serves its messages like a program of its own would.
class BrowserFrame {
public:
    BrowserFrame() {
        thread_ = std::thread([this] { run(); });
        WaitForSingleObject(ready_, 30000);
    }
    ~BrowserFrame() {
        PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        thread_.join();
        CloseHandle(ready_);
    }
    BrowserFrame(const BrowserFrame&) = delete;
    BrowserFrame& operator=(const BrowserFrame&) = delete;

    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }

    void run() {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = "VelmoraTestBrowserFrame";
        RegisterClassA(&window_class);
        // In a corner, clear of the main window, which is centred.
        hwnd_ = CreateWindowExA(0, window_class.lpszClassName, kFrameTitle,
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 160, 90, nullptr, nullptr,
                                window_class.hInstance, nullptr);
        SetEvent(ready_);
        if (hwnd_ == nullptr) return;
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    }

    std::thread thread_;
    HANDLE ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND hwnd_ = nullptr;
};

class OpenOwner : public VelmoraProcessTest {};

TEST_F(OpenOwner, TheSiteOpensOncePerRequestWithABrowserFramePresent) {
    BrowserFrame frame;
    ASSERT_NE(frame.hwnd(), nullptr);
    ASSERT_EQ(FindWindowExA(nullptr, nullptr, nullptr, kFrameTitle), frame.hwnd());

    start_velmora();
    ASSERT_TRUE(wait_for_opened(1));
    click(control(Control::图片框1));
    ASSERT_TRUE(wait_for_opened(2));

    EXPECT_EQ(close_and_wait(), 0u);
    ASSERT_TRUE(wait_for_browser_quiet());
    EXPECT_EQ(browser_record(), std::vector<std::string>(2, site_address()));
    EXPECT_TRUE(IsWindow(frame.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(frame.hwnd()));
    EXPECT_EQ(text_of(frame.hwnd()), kFrameTitle);
}

}  // namespace
}  // namespace velmora::testing
