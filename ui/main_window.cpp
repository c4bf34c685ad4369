#include "ui/main_window.h"

#include "resources/resource.h"
#include "ui/child_windows.h"
#include "ui/site.h"

namespace velmora {
namespace {

constexpr char kMainWindowClass[] = "VelmoraMainWindow";
constexpr int kWidth = 379;
constexpr int kHeight = 542;
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

enum class Kind { label, edit, push_button, check_box, list_box, banner };

struct ControlRow {
    Control control;
    Kind kind;
    int left, top, width, height;
    const char* text;  // null: the default tag text
};

// Creation order, which is tab order; the last created lies on top.
constexpr ControlRow kControls[kControlCount] = {
    {Control::标签1, Kind::label, 12, 13, 96, 24, "请选择一个目录："},
    {Control::编辑框1, Kind::edit, 12, 40, 205, 27, ""},
    {Control::按钮1, Kind::push_button, 224, 37, 63, 31, "浏览"},
    {Control::标签2, Kind::label, 14, 78, 90, 24, "要更名的文件："},
    {Control::列表框1, Kind::list_box, 12, 103, 346, 159, ""},
    {Control::标签3, Kind::label, 16, 275, 64, 24, "更名规则："},
    {Control::编辑框2, Kind::edit, 93, 303, 58, 25, nullptr},
    {Control::标签4, Kind::label, 18, 303, 75, 24, "原有的名称+"},
    {Control::编辑框3, Kind::edit, 16, 336, 58, 25, nullptr},
    {Control::标签5, Kind::label, 84, 339, 75, 24, "+原有的名称"},
    {Control::按钮2, Kind::push_button, 160, 298, 63, 29, "替换"},
    {Control::按钮3, Kind::push_button, 160, 333, 63, 29, "替换"},
    {Control::标签6, Kind::label, 240, 277, 64, 24, "扫描规则："},
    {Control::编辑框4, Kind::edit, 288, 303, 64, 25, "*.*"},
    {Control::标签7, Kind::label, 240, 304, 48, 24, "通配符："},
    {Control::选择框1, Kind::check_box, 240, 337, 128, 24, "全部子目录"},
    {Control::按钮4, Kind::push_button, 293, 37, 63, 31, "先看看"},
    {Control::标签8, Kind::label, 15, 375, 185, 24, "从文件名称中过滤掉这些文本："},
    {Control::编辑框5, Kind::edit, 181, 375, 178, 23, ""},
    {Control::图片框1, Kind::banner, 12, 414, 276, 87, ""},
};

struct KindLook {
    const char* window_class;
    DWORD style;
    DWORD ex_style;
};

KindLook look_of(Kind kind) {
    constexpr DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
    switch (kind) {
        case Kind::label:
            return {kLabelClass, child, 0};
        case Kind::edit:
            return {"EDIT", child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case Kind::push_button:
            return {"BUTTON",
                    child | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER, 0};
        case Kind::check_box:
            return {"BUTTON",
                    child | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_LEFT | BS_VCENTER, 0};
        case Kind::list_box:
            return {"LISTBOX",
                    child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS |
                        LBS_NOINTEGRALHEIGHT,
                    WS_EX_CLIENTEDGE};
        case Kind::banner:
            return {kBannerClass, child | WS_BORDER, 0};
    }
    return {kLabelClass, child, 0};
}

int text_height(HWND hwnd, HFONT font) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return metrics.tmHeight;
}

bool register_main_class(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VELMORA));
    window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kMainWindowClass;
    return RegisterClassExA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

MainWindow::MainWindow(MainWindowEvents& events) : events_(events), controls_(*this) {}

MainWindow::~MainWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    if (big_icon_) DestroyIcon(big_icon_);
    if (small_icon_) DestroyIcon(small_icon_);
}

std::unique_ptr<MainWindow> MainWindow::create(HINSTANCE instance, MainWindowEvents& events) {
    if (!register_main_class(instance, window_procedure) || !register_child_classes(instance))
        return nullptr;
    std::unique_ptr<MainWindow> window(new MainWindow(events));

    // Centred on the whole primary screen, task bar included.
    int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    HWND hwnd = CreateWindowExA(0, kMainWindowClass, "Velmora", kMainStyle, left, top, kWidth,
                                kHeight, nullptr, nullptr, instance, window.get());
    if (hwnd == nullptr) return nullptr;
    RECT rect;
    GetWindowRect(hwnd, &rect);
    if (rect.right - rect.left != kWidth || rect.bottom - rect.top != kHeight) {
        SetWindowPos(hwnd, nullptr, left, top, kWidth, kHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    events.on_created(*window);
    return window;
}

void MainWindow::show() {
    if (!alive()) return;
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

LRESULT CALLBACK MainWindow::window_procedure(HWND hwnd, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (window == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return window->handle(hwnd, message, wparam, lparam);
}

LRESULT MainWindow::handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lparam)) ? 0 : -1;
        case WM_COMMAND:
            OnCommand(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case kBannerPressed:
            OnBannerPressed(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)),
                            static_cast<int>(wparam));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wparam) != WA_INACTIVE);
            break;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wparam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

bool MainWindow::OnCreate(const CREATESTRUCTA* create) {
    HINSTANCE instance = create->hInstance;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    big_icon_ =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VELMORA), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    small_icon_ = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VELMORA), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    Text tag = tag_text_for(site_address());
    for (const ControlRow& row : kControls) {
        KindLook look = look_of(row.kind);
        const char* text = row.text != nullptr ? row.text : tag.c_str();
        HWND control =
            CreateWindowExA(look.ex_style, look.window_class, text, look.style, row.left, row.top,
                            row.width, row.height, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id(row.control))),
                            instance, nullptr);
        if (control == nullptr) return false;
        controls_hwnd_[static_cast<int>(row.control)] = control;
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

        if (row.kind == Kind::edit) {
            // No limit of the program's own: the platform's maximum.
            SendMessageA(control, EM_LIMITTEXT, 0, 0);
            // A one-line box lower than one line of its font and its edges
            // would cut the text; ours are taller, but the rule holds.
            int needed = text_height(control, font) + 2 * GetSystemMetrics(SM_CYEDGE);
            if (row.height < needed) {
                SetWindowPos(control, nullptr, 0, 0, row.width, needed,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        } else if (row.kind == Kind::list_box) {
            // One pixel more than the font's standard item height.
            LRESULT item_height = SendMessageA(control, LB_GETITEMHEIGHT, 0, 0);
            if (item_height > 0) SendMessageA(control, LB_SETITEMHEIGHT, 0, item_height + 1);
        } else if (row.kind == Kind::check_box) {
            SendMessageA(control, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }

    // A new child goes to the bottom of the stack; each is raised in
    // creation order so that the one created last ends on top. Only
    // 编辑框5 and 标签8 overlap, and 编辑框5 must be the one in front.
    for (HWND control : controls_hwnd_) {
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (HWND control : controls_hwnd_) ShowWindow(control, SW_SHOWNA);
    return true;
}

void MainWindow::OnCommand(int id, int code) {
    if (code != BN_CLICKED || !alive() || id < 1 || id > kControlCount) return;
    for (Button button : {Button::按钮1, Button::按钮2, Button::按钮3, Button::按钮4}) {
        if (control_id(control_of(button)) == id) events_.on_clicked(*this, button);
    }
}

void MainWindow::OnBannerPressed(int x, int y, int modifiers) {
    if (alive()) events_.on_banner_pressed(*this, x, y, modifiers);
}

void MainWindow::OnActivate(bool active) {
    if (active) return;
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd_, focus)) saved_focus_ = focus;
}

void MainWindow::OnSetFocus() {
    // The window itself never keeps the focus.
    if (saved_focus_ != nullptr && IsWindow(saved_focus_) && IsChild(hwnd_, saved_focus_)) {
        SetFocus(saved_focus_);
        return;
    }
    for (int i = 0; i < kControlCount; ++i) {
        if (eligible(static_cast<Control>(i))) {
            SetFocus(controls_hwnd_[i]);
            return;
        }
    }
}

void MainWindow::OnDestroy() {
    // From here on no handler may touch the controls: the children are
    // destroyed right after this message.
    hwnd_ = nullptr;
    controls_hwnd_.fill(nullptr);
    saved_focus_ = nullptr;
    PostQuitMessage(0);
}

bool MainWindow::eligible(Control control) const {
    HWND hwnd = controls_hwnd_[static_cast<int>(control)];
    return hwnd != nullptr && IsWindow(hwnd) && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
           (GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP) != 0;
}

void MainWindow::move_focus(bool forward) {
    HWND focus = GetFocus();
    int current = -1;
    for (int i = 0; i < kControlCount; ++i) {
        HWND control = controls_hwnd_[i];
        if (focus != nullptr && (focus == control || IsChild(control, focus))) current = i;
    }
    int step = forward ? 1 : kControlCount - 1;
    // With the focus on no control, Tab starts from the first and Shift+Tab
    // from the last.
    int start = current >= 0 ? current : (forward ? kControlCount - 1 : 0);
    for (int n = 1; n <= kControlCount; ++n) {
        int i = (start + n * step) % kControlCount;
        if (eligible(static_cast<Control>(i))) {
            SetFocus(controls_hwnd_[i]);
            return;
        }
    }
}

bool MainWindow::pre_translate(const MSG& message) {
    if (!alive()) return false;
    bool key_down = message.message == WM_KEYDOWN;
    // With no control focused (the focused button was disabled by a scan),
    // keys reach the active window as system keys; Alt is not held then.
    if (message.message == WM_SYSKEYDOWN && message.hwnd == hwnd_ && GetFocus() == nullptr &&
        (message.lParam & (1 << 29)) == 0) {
        key_down = true;
    }
    if (!key_down) return false;
    if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
    if (!IsWindowEnabled(hwnd_) || !IsWindowEnabled(message.hwnd)) return false;

    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool alt = GetKeyState(VK_MENU) < 0;
    switch (message.wParam) {
        case VK_TAB:
            if (ctrl || alt) return false;
            move_focus(!shift);
            return true;
        case VK_ESCAPE:
            if (ctrl || shift || alt) return false;
            // The same request as the close button's.
            SendMessageA(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
    }
    return false;
}

int run_message_loop(MainWindow& window) {
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        if (!window.pre_translate(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}

}  // namespace velmora
