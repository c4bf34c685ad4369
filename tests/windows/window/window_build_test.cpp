// The window as built: every control against the table of the window's
// description, the start state, the stacking, the banner and the texts that
// go with the site address.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/banner_image.h"
#include "ui/shell.h"
#include "ui/site.h"
#include "window_harness.h"

namespace velmora::testing {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
constexpr DWORD kLabel = kChild;
constexpr DWORD kEdit = kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kPush = kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;
constexpr DWORD kCheck =
    kChild | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_LEFT | BS_VCENTER;
// The list box drops WS_VSCROLL while its items fit: compared without it.
constexpr DWORD kList = kChild | WS_TABSTOP | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kBanner = kChild | WS_BORDER;

// The captions as code page 936 bytes, written out so that they do not
// depend on how this file is compiled.
struct Row {
    Control control;
    const char* window_class;
    int left, top, width, height;
    DWORD style;
    DWORD ex_style;
    const char* text;  // null: the default tag text
};

const Row kTable[] = {
    {Control::标签1, "VelmoraLabel", 12, 13, 96, 24, kLabel, 0,
     "\xc7\xeb\xd1\xa1\xd4\xf1\xd2\xbb\xb8\xf6\xc4\xbf\xc2\xbc\xa3\xba"},
    {Control::编辑框1, "Edit", 12, 40, 205, 27, kEdit, WS_EX_CLIENTEDGE, ""},
    {Control::按钮1, "Button", 224, 37, 63, 31, kPush, 0, "\xe4\xaf\xc0\xc0"},
    {Control::标签2, "VelmoraLabel", 14, 78, 90, 24, kLabel, 0,
     "\xd2\xaa\xb8\xfc\xc3\xfb\xb5\xc4\xce\xc4\xbc\xfe\xa3\xba"},
    {Control::列表框1, "ListBox", 12, 103, 346, 159, kList, WS_EX_CLIENTEDGE, ""},
    {Control::标签3, "VelmoraLabel", 16, 275, 64, 24, kLabel, 0,
     "\xb8\xfc\xc3\xfb\xb9\xe6\xd4\xf2\xa3\xba"},
    {Control::编辑框2, "Edit", 93, 303, 58, 25, kEdit, WS_EX_CLIENTEDGE, nullptr},
    {Control::标签4, "VelmoraLabel", 18, 303, 75, 24, kLabel, 0,
     "\xd4\xad\xd3\xd0\xb5\xc4\xc3\xfb\xb3\xc6\x2b"},
    {Control::编辑框3, "Edit", 16, 336, 58, 25, kEdit, WS_EX_CLIENTEDGE, nullptr},
    {Control::标签5, "VelmoraLabel", 84, 339, 75, 24, kLabel, 0,
     "\x2b\xd4\xad\xd3\xd0\xb5\xc4\xc3\xfb\xb3\xc6"},
    {Control::按钮2, "Button", 160, 298, 63, 29, kPush, 0, "\xcc\xe6\xbb\xbb"},
    {Control::按钮3, "Button", 160, 333, 63, 29, kPush, 0, "\xcc\xe6\xbb\xbb"},
    {Control::标签6, "VelmoraLabel", 240, 277, 64, 24, kLabel, 0,
     "\xc9\xa8\xc3\xe8\xb9\xe6\xd4\xf2\xa3\xba"},
    {Control::编辑框4, "Edit", 288, 303, 64, 25, kEdit, WS_EX_CLIENTEDGE, "*.*"},
    {Control::标签7, "VelmoraLabel", 240, 304, 48, 24, kLabel, 0,
     "\xcd\xa8\xc5\xe4\xb7\xfb\xa3\xba"},
    {Control::选择框1, "Button", 240, 337, 128, 24, kCheck, 0,
     "\xc8\xab\xb2\xbf\xd7\xd3\xc4\xbf\xc2\xbc"},
    {Control::按钮4, "Button", 293, 37, 63, 31, kPush, 0, "\xcf\xc8\xbf\xb4\xbf\xb4"},
    {Control::标签8, "VelmoraLabel", 15, 375, 185, 24, kLabel, 0,
     "\xb4\xd3\xce\xc4\xbc\xfe\xc3\xfb\xb3\xc6\xd6\xd0\xb9\xfd\xc2\xcb\xb5\xf4\xd5\xe2\xd0\xa9\xce"
     "\xc4\xb1\xbe\xa3\xba"},
    {Control::编辑框5, "Edit", 181, 375, 178, 23, kEdit, WS_EX_CLIENTEDGE, ""},
    {Control::图片框1, "VelmoraBanner", 12, 414, 276, 87, kBanner, 0, ""},
};

std::string window_text(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string class_name(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

RECT rect_in_client(HWND control, HWND parent) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

using WindowBuild = WindowTest;

TEST_F(WindowBuild, EveryControlIsBuiltAsTheTableSays) {
    HFONT gui_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    Text tag = tag_text_for(site_address());
    ASSERT_EQ(std::size(kTable), static_cast<std::size_t>(kControlCount));
    for (const Row& row : kTable) {
        HWND hwnd = control(row.control);
        SCOPED_TRACE(control_id(row.control));
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(GetParent(hwnd), window_->hwnd());
        EXPECT_EQ(GetDlgCtrlID(hwnd), control_id(row.control));
        EXPECT_EQ(class_name(hwnd), row.window_class);
        RECT rect = rect_in_client(hwnd, window_->hwnd());
        EXPECT_EQ(rect.left, row.left);
        EXPECT_EQ(rect.top, row.top);
        EXPECT_EQ(rect.right - rect.left, row.width);
        EXPECT_EQ(rect.bottom - rect.top, row.height);
        DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
        if (row.control == Control::列表框1) style &= ~static_cast<DWORD>(WS_VSCROLL);
        EXPECT_EQ(style, row.style) << std::hex << (style ^ row.style);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)), row.ex_style);
        EXPECT_EQ(window_text(hwnd), row.text != nullptr ? row.text : tag);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), gui_font);
        EXPECT_TRUE(IsWindowEnabled(hwnd));
    }
}

TEST_F(WindowBuild, MainWindowIsAFixedDialogFrameCentredOnTheScreen) {
    HWND hwnd = window_->hwnd();
    EXPECT_EQ(class_name(hwnd), "VelmoraMainWindow");
    EXPECT_EQ(window_text(hwnd), "Velmora");
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "shown only after the created event";
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 379);
    EXPECT_EQ(rect.bottom - rect.top, 542);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 379) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 542) / 2);
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_CHILD);
    LONG ex_style = GetWindowLongA(hwnd, GWL_EXSTYLE);
    EXPECT_FALSE(ex_style & WS_EX_TOPMOST);
    EXPECT_FALSE(ex_style & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);
    EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(events_.created, 1);
}

TEST_F(WindowBuild, TheLastCreatedControlLiesOnTop) {
    std::vector<HWND> top_to_bottom;
    for (HWND child = GetWindow(window_->hwnd(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        top_to_bottom.push_back(child);
    }
    ASSERT_EQ(top_to_bottom.size(), static_cast<std::size_t>(kControlCount));
    for (int i = 0; i < kControlCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(top_to_bottom[static_cast<std::size_t>(i)],
                  control(static_cast<Control>(kControlCount - 1 - i)));
    }
}

TEST_F(WindowBuild, StartsWithTheStartStateOnceShown) {
    window_->show();
    pump();
    EXPECT_TRUE(IsWindowVisible(window_->hwnd()));
    EXPECT_EQ(window_text(window_->hwnd()), "Velmora");
    EXPECT_FALSE(controls().is_ticked());
    EXPECT_EQ(SendMessageA(control(Control::选择框1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(controls().get_text(EditBox::编辑框4), "*.*");
    EXPECT_EQ(controls().get_text(EditBox::编辑框5), "");
    EXPECT_EQ(controls().item_count(), 0);
    EXPECT_EQ(SendMessageA(control(Control::列表框1), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_FALSE(GetWindowLongA(control(Control::列表框1), GWL_STYLE) & WS_VSCROLL);
    for (int i = 0; i < kControlCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(IsWindowEnabled(control(static_cast<Control>(i))));
    }
    EXPECT_EQ(GetFocus(), control(Control::编辑框1));
    DWORD start = 1, end = 1;
    SendMessageA(control(Control::编辑框1), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

TEST_F(WindowBuild, EditBoxesHaveThePlatformsLimitAndListItemsOnePixelMore) {
    for (Control edit : {Control::编辑框1, Control::编辑框2, Control::编辑框3, Control::编辑框4,
                         Control::编辑框5}) {
        SCOPED_TRACE(control_id(edit));
        EXPECT_EQ(SendMessageA(control(edit), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    }
    HWND list = control(Control::列表框1);
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), metrics.tmHeight + 1);
}

TEST_F(WindowBuild, TheDefaultTagTextIsTheSiteHostInBrackets) {
    Text tag = controls().get_text(EditBox::编辑框2);
    EXPECT_EQ(tag, tag_text_for(site_address()));
    EXPECT_EQ(controls().get_text(EditBox::编辑框3), tag);
    EXPECT_EQ(tag.front(), '[');
    EXPECT_EQ(tag.back(), ']');
    EXPECT_NE(std::string(site_address()).find(tag.substr(1, tag.size() - 2)), std::string::npos);
}

TEST(SiteTagText, IsTheHostOfTheAddress) {
    struct Case {
        const char* address;
        const char* tag;
    };
    const Case cases[] = {
        {"https://velmora.example/", "[velmora.example]"},
        {"http://www.example.com/a/b.html?x=1#top", "[www.example.com]"},
        {"https://user:pw@example.org:8080/path", "[example.org]"},
        {"https://[::1]:8080/", "[::1]"},
        {"example.net/page", "[example.net]"},
        {"https://example.net?q", "[example.net]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(tag_text_for(c.address), c.tag);
    }
}

TEST(ProgramFolder, IsCutAtTheLastBackslashThatIsACharacter) {
    struct Case {
        const char* label;
        const char* path;
        const char* folder;
    };
    const Case cases[] = {
        {"a folder", "C:\\tools\\velmora.exe", "C:\\tools"},
        {"the root of a drive gives the bare drive", "D:\\tool.exe", "D:"},
        // 乗 is 81 5C in code page 936: its second byte is no backslash.
        {"a second byte 0x5C", "C:\\a\\\x81\x5C.exe", "C:\\a"},
        {"a folder ending in such a character", "C:\\\x81\x5C\\v.exe", "C:\\\x81\x5C"},
        {"no backslash", "velmora.exe", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(folder_part(c.path), c.folder);
    }
}

TEST_F(WindowBuild, TheBannerShowsThePictureCutToTheAreaInsideItsBorder) {
    std::optional<BannerImage> image = load_banner(GetModuleHandleA(nullptr));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 275);
    EXPECT_EQ(image->height, 85);

    HWND banner = control(Control::图片框1);
    RECT client;
    GetClientRect(banner, &client);
    EXPECT_EQ(client.right, 274);
    EXPECT_EQ(client.bottom, 85);
    EXPECT_EQ(GetClassLongA(banner, GCL_STYLE) & CS_DBLCLKS, CS_DBLCLKS);
    EXPECT_NE(reinterpret_cast<HCURSOR>(GetClassLongPtrA(banner, GCLP_HCURSOR)),
              LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));

    window_->show();
    UpdateWindow(banner);
    HDC dc = GetDC(banner);
    struct Point {
        int x, y;
    };
    for (Point p : {Point{0, 0}, Point{273, 0}, Point{0, 84}, Point{273, 84}, Point{137, 42}}) {
        SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
        const std::uint8_t* pixel =
            image->pixels.data() + p.y * image->stride() + static_cast<std::size_t>(p.x) * 3;
        EXPECT_EQ(GetPixel(dc, p.x, p.y), RGB(pixel[2], pixel[1], pixel[0]));
    }
    ReleaseDC(banner, dc);
}

TEST(BannerImage, BytesThatAreNoPictureGiveNone) {
    std::optional<BannerImage> image = load_banner(GetModuleHandleA(nullptr));
    ASSERT_TRUE(image.has_value());
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(10));
    ASSERT_NE(found, nullptr);
    auto* jpeg = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
    std::size_t size = SizeofResource(nullptr, found);

    struct Case {
        const char* label;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<std::uint8_t> corrupt(jpeg, jpeg + size);
    for (std::size_t i = 2; i < 200 && i < corrupt.size(); ++i) corrupt[i] = 0xFF;
    const Case cases[] = {
        {"nothing", {}},
        {"not a JPEG", {'B', 'M', 0, 0, 1, 2, 3}},
        {"only the start marker", {0xFF, 0xD8}},
        {"the header alone", std::vector<std::uint8_t>(jpeg, jpeg + 100)},
        {"broken headers", corrupt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_FALSE(decode_jpeg(c.bytes.data(), c.bytes.size()).has_value());
    }
}

}  // namespace
}  // namespace velmora::testing
