#include "ui/child_windows.h"

#include <memory>
#include <string>

#include "resources/resource.h"
#include "ui/banner_image.h"
#include "ui/win32_controls.h"

namespace velmora {
namespace {

// Window extra bytes of both classes.
constexpr int kFontSlot = 0;
constexpr int kImageSlot = sizeof(LONG_PTR);  // banner only

HFONT font_of(HWND hwnd) {
    return reinterpret_cast<HFONT>(GetWindowLongPtrA(hwnd, kFontSlot));
}

LRESULT set_font(HWND hwnd, WPARAM wparam, LPARAM lparam) {
    SetWindowLongPtrA(hwnd, kFontSlot, static_cast<LONG_PTR>(wparam));
    if (LOWORD(lparam)) InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

void paint_label(HWND hwnd) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT rect;
    GetClientRect(hwnd, &rect);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    std::string caption = window_text(hwnd);
    if (!caption.empty()) {
        HFONT font = font_of(hwnd);
        HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        // No DT_NOPREFIX: an "&" marks a letter, as on any label.
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &rect,
                  DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
        if (old_font) SelectObject(dc, old_font);
    }
    EndPaint(hwnd, &paint);
}

LRESULT CALLBACK label_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills the whole rectangle
        case WM_PAINT:
            paint_label(hwnd);
            return 0;
        case WM_SETFONT:
            return set_font(hwnd, wparam, lparam);
        case WM_GETFONT:
            return GetWindowLongPtrA(hwnd, kFontSlot);
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

BannerImage* image_of(HWND hwnd) {
    return reinterpret_cast<BannerImage*>(GetWindowLongPtrA(hwnd, kImageSlot));
}

void paint_banner(HWND hwnd) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT rect;
    GetClientRect(hwnd, &rect);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    if (const BannerImage* image = image_of(hwnd)) {
        // At its natural size from the top-left corner; the client area cuts
        // off what does not fit (the picture is one column wider).
        BITMAPINFO info = image->bitmap_info();
        SetDIBitsToDevice(
            dc, 0, 0, static_cast<DWORD>(image->width), static_cast<DWORD>(image->height), 0, 0, 0,
            static_cast<UINT>(image->height), image->pixels.data(), &info, DIB_RGB_COLORS);
    }
    EndPaint(hwnd, &paint);
}

int modifier_keys(WPARAM wparam) {
    int keys = 0;
    if (wparam & MK_CONTROL) keys |= 1;
    if (wparam & MK_SHIFT) keys |= 2;
    if (GetKeyState(VK_MENU) < 0) keys |= 4;
    return keys;
}

LRESULT CALLBACK banner_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
            if (auto image = load_banner(create->hInstance)) {
                SetWindowLongPtrA(hwnd, kImageSlot,
                                  reinterpret_cast<LONG_PTR>(new BannerImage(std::move(*image))));
            }
            return 0;
        }
        case WM_NCDESTROY:
            delete image_of(hwnd);
            SetWindowLongPtrA(hwnd, kImageSlot, 0);
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint_banner(hwnd);
            return 0;
        case WM_SETFONT:
            return set_font(hwnd, wparam, lparam);
        case WM_GETFONT:
            return GetWindowLongPtrA(hwnd, kFontSlot);
        case WM_LBUTTONDOWN:
            // Only a press: the second press of a double click comes as
            // WM_LBUTTONDBLCLK (the class asks for double clicks) and opens
            // nothing. The press then goes on as if nobody had looked at it.
            SendMessageA(GetParent(hwnd), kBannerPressed,
                         static_cast<WPARAM>(modifier_keys(wparam)), lparam);
            break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

bool register_class(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style,
                    HCURSOR cursor, int extra_bytes) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.style = style;
    window_class.lpfnWndProc = procedure;
    window_class.cbWndExtra = extra_bytes;
    window_class.hInstance = instance;
    window_class.hCursor = cursor;
    window_class.lpszClassName = name;
    return RegisterClassExA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool register_child_classes(HINSTANCE instance) {
    HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    // The pointing hand is the program's own, not the system's.
    HCURSOR hand = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_HAND_POINTER));
    if (hand == nullptr) hand = arrow;
    return register_class(instance, kLabelClass, label_procedure,
                          CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, arrow, sizeof(LONG_PTR)) &&
           register_class(instance, kBannerClass, banner_procedure, CS_DBLCLKS, hand,
                          2 * sizeof(LONG_PTR));
}

}  // namespace velmora
