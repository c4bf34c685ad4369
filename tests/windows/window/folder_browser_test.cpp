// The folder browser behind 按钮1, in velmora.exe as a process of its own:
// the shell's dialog is found as a top-level dialog of the program, its
// folder tree is walked and chosen from across processes, and what the
// dialog gives back is read from 编辑框1.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "../temp_tree.h"
#include "program_process.h"

namespace velmora::testing {
namespace {

// The dialog's tree in the program's process. Item handles mean the same
// there and here; their labels are read through a buffer in the program's
// memory, because the system copies no tree-view data between processes.
class RemoteTree {
public:
    RemoteTree(HANDLE process, HWND tree) : process_(process), tree_(tree) {
        remote_ = static_cast<char*>(
            VirtualAllocEx(process_, nullptr, kBufferSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteTree() {
        if (remote_ != nullptr) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    }
    RemoteTree(const RemoteTree&) = delete;
    RemoteTree& operator=(const RemoteTree&) = delete;

    HTREEITEM root() const { return next(TVGN_ROOT, nullptr); }
    HTREEITEM selected() const { return next(TVGN_CARET, nullptr); }

    // The dialog fills in an item's children when it is expanded.
    std::vector<HTREEITEM> children(HTREEITEM item) const {
        send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        std::vector<HTREEITEM> found;
        for (HTREEITEM child = next(TVGN_CHILD, item); child != nullptr;
             child = next(TVGN_NEXT, child)) {
            found.push_back(child);
        }
        return found;
    }

    // In the ANSI code page.
    std::string label(HTREEITEM item) const {
        if (remote_ == nullptr) return "<no buffer in the program>";
        TVITEMA request{};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = remote_ + sizeof(TVITEMA);
        request.cchTextMax = static_cast<int>(kBufferSize - sizeof(TVITEMA));
        char text[kBufferSize] = {};
        if (!WriteProcessMemory(process_, remote_, &request, sizeof request, nullptr) ||
            !send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote_)) ||
            !ReadProcessMemory(process_, request.pszText, text, request.cchTextMax - 1, nullptr)) {
            return "<unreadable>";
        }
        return text;
    }

    bool select(HTREEITEM item) const {
        return send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
    }

private:
    static constexpr std::size_t kBufferSize = 2048;

    HTREEITEM next(WPARAM relation, HTREEITEM item) const {
        return reinterpret_cast<HTREEITEM>(
            send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    LRESULT send(UINT message, WPARAM wparam, LPARAM lparam) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(tree_, message, wparam, lparam, SMTO_ABORTIFHUNG, 10000, &result);
        return static_cast<LRESULT>(result);
    }

    HANDLE process_;
    HWND tree_;
    char* remote_ = nullptr;
};

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// "C:\a\b" as "C:", "a", "b"; a drive root as the drive alone.
std::vector<std::wstring> components(const std::wstring& path) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = path.find(L'\\', start)) != std::wstring::npos; start = end + 1) {
        parts.push_back(path.substr(start, end - start));
    }
    if (start < path.size()) parts.push_back(path.substr(start));
    return parts;
}

class FolderBrowser : public VelmoraProcessTest {
protected:
    void TearDown() override {
        tree_.reset();
        if (!program_.ended()) {
            EXPECT_EQ(close_and_wait(), 0u);
        }
        EXPECT_TRUE(wait_for_browser_quiet());
    }

    // 按钮1 clicked by a real mouse click or by the button's own message.
    void open_browser(bool real_click = false) {
        if (real_click) {
            click(control(Control::按钮1));
        } else {
            PostMessageA(control(Control::按钮1), BM_CLICK, 0, 0);
        }
        ASSERT_TRUE(wait_until(
            [&] {
                dialog_ = find_top_level(program_.id(), "#32770", [](HWND hwnd) {
                    return !children_of_class(hwnd, WC_TREEVIEWA).empty();
                });
                return dialog_ != nullptr;
            },
            program_.handle()))
            << "no folder dialog appeared";
        tree_ = std::make_unique<RemoteTree>(program_.handle(),
                                             children_of_class(dialog_, WC_TREEVIEWA).front());
    }

    void press_dialog_button(int id) {
        HWND button = GetDlgItem(dialog_, id);
        ASSERT_NE(button, nullptr) << "the dialog has no button " << id;
        PostMessageA(button, BM_CLICK, 0, 0);
    }

    // The dialog has closed and the click's handler has put its result into
    // 编辑框1, which is its last step.
    ::testing::AssertionResult wait_for_result(const std::string& expected) {
        bool done =
            wait_until([&] { return !IsWindow(dialog_) && text_in(Control::编辑框1) == expected; },
                       program_.handle());
        if (done) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << (IsWindow(dialog_) ? "the dialog is still open; " : "") << "编辑框1 holds \""
               << text_in(Control::编辑框1) << "\"";
    }

    // The desktop's item that holds drive C: wherever the dialog puts it.
    HTREEITEM computer() const {
        for (HTREEITEM item : tree_->children(tree_->root())) {
            for (HTREEITEM child : tree_->children(item)) {
                if (ends_with(tree_->label(child), "(C:)")) return item;
            }
        }
        return nullptr;
    }

    // The item of a drive's folder (or of the drive itself), found below the
    // computer label by label.
    HTREEITEM item_of(const std::wstring& path) const {
        std::vector<std::wstring> parts = components(path);
        HTREEITEM item = computer();
        if (item == nullptr || parts.empty()) return item;
        std::string drive = to_ansi(parts[0]);
        drive.insert(drive.begin(), '(');
        drive.push_back(')');
        HTREEITEM found = nullptr;
        for (HTREEITEM child : tree_->children(item)) {
            if (ends_with(tree_->label(child), drive)) found = child;
        }
        for (std::size_t i = 1; found != nullptr && i < parts.size(); ++i) {
            item = found;
            found = nullptr;
            std::string name = to_ansi(parts[i]);
            for (HTREEITEM child : tree_->children(item)) {
                if (lstrcmpiA(tree_->label(child).c_str(), name.c_str()) == 0) found = child;
            }
        }
        return found;
    }

    // Back from the dialog: the main window takes input again, as the
    // active and the foreground window.
    void expect_main_window_back() {
        EXPECT_TRUE(IsWindowEnabled(main_));
        EXPECT_EQ(active_window(), main_);
        EXPECT_EQ(GetForegroundWindow(), main_);
    }

    HWND dialog_ = nullptr;
    std::unique_ptr<RemoteTree> tree_;
};

TEST_F(FolderBrowser, OpensOwnedByTheMainWindowWithTheInstructionAndDisablesIt) {
    start_velmora();
    ASSERT_TRUE(IsWindowEnabled(main_));
    open_browser();

    EXPECT_EQ(GetWindow(dialog_, GW_OWNER), main_);
    EXPECT_EQ(GetParent(dialog_), nullptr);
    std::vector<std::string> texts;
    for (HWND label : children_of_class(dialog_, WC_STATICA)) {
        if (IsWindowVisible(label)) texts.push_back(text_of(label));
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), std::string("请选择一个文件夹")), texts.end())
        << "no visible label holds the instruction";
    EXPECT_FALSE(IsWindowEnabled(main_));
    EXPECT_EQ(active_window(), dialog_);

    press_dialog_button(IDCANCEL);
    ASSERT_TRUE(wait_for_result(""));
    expect_main_window_back();
}

enum class Dismissal { cancel_button, esc_key };

struct CancelCase {
    const char* name;
    Dismissal dismissal;
    // What 编辑框1 holds when 按钮1 is clicked; null: the start-up folder.
    const char* held;
};

// The case by its name, in the test's name and in failure reports.
void PrintTo(const CancelCase& c, std::ostream* out) {
    *out << c.name;
}

class FolderBrowserCancel : public FolderBrowser,
                            public ::testing::WithParamInterface<CancelCase> {};

TEST_P(FolderBrowserCancel, EmptiesTheBoxAndGivesTheWindowBack) {
    const CancelCase& c = GetParam();
    start_velmora();
    if (c.held != nullptr) set_text(Control::编辑框1, c.held);
    ASSERT_FALSE(text_in(Control::编辑框1).empty());
    bool by_key = c.dismissal == Dismissal::esc_key;
    open_browser(by_key);
    if (by_key) {
        // Keys go to the foreground window's focus.
        ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == dialog_; }));
        press_keys({VK_ESCAPE});
    } else {
        press_dialog_button(IDCANCEL);
    }
    ASSERT_TRUE(wait_for_result(""));
    expect_main_window_back();

    // Real keys reach the main window again: Esc closes it.
    press_keys({VK_ESCAPE});
    EXPECT_EQ(program_.wait_for_exit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderBrowserCancel,
                         ::testing::Values(CancelCase{"CancelButtonWithTheStartUpFolder",
                                                      Dismissal::cancel_button, nullptr},
                                           CancelCase{"EscWithATypedFolder", Dismissal::esc_key,
                                                      "C:\\windows"},
                                           CancelCase{"CancelButtonWithAnyText",
                                                      Dismissal::cancel_button, "不是文件夹 *.?"}));

TEST_F(FolderBrowser, GivesAMainWindowThatWasDisabledBackDisabled) {
    start_velmora();
    EnableWindow(main_, FALSE);
    open_browser();
    press_dialog_button(IDCANCEL);
    ASSERT_TRUE(wait_for_result(""));
    EXPECT_FALSE(IsWindowEnabled(main_));
    EnableWindow(main_, TRUE);
}

struct Choice {
    const char* name;
    // Below the temp tree or a full path; empty: the computer itself.
    const wchar_t* path;
    bool in_temp_tree;
};

// The case by its name, in the test's name and in failure reports.
void PrintTo(const Choice& c, std::ostream* out) {
    *out << c.name;
}

class FolderBrowserChoice : public FolderBrowser, public ::testing::WithParamInterface<Choice> {};

TEST_P(FolderBrowserChoice, OkPutsTheChosenItemsPathIntoTheBox) {
    const Choice& c = GetParam();
    TempTree temp;
    std::wstring path = c.path;
    if (c.in_temp_tree) {
        temp.folder(path);
        path = temp.root() + L"\\" + path;
    }
    // A drive root keeps its backslash; the computer has no path.
    std::string expected = to_ansi(path);

    start_velmora();
    ASSERT_NE(text_in(Control::编辑框1), expected);
    open_browser();
    HTREEITEM item = item_of(path);
    ASSERT_NE(item, nullptr) << "no item for \"" << expected << "\" in the dialog's tree";
    ASSERT_TRUE(tree_->select(item));
    press_dialog_button(IDOK);
    ASSERT_TRUE(wait_for_result(expected));
    expect_main_window_back();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderBrowserChoice,
    ::testing::Values(Choice{"TheComputerHasNoPath", L"", false},
                      Choice{"DriveCGivesItsRootWithTheBackslash", L"C:\\", false},
                      Choice{"DriveZGivesItsRootWithTheBackslash", L"Z:\\", false},
                      Choice{"AFolderGivesItsPathWithoutTrailingBackslash", L"C:\\windows", false},
                      // 乗 is 0x81 0x5C in code page 936: its second byte is a backslash's.
                      Choice{"AFolderNamedInTheCodePage", L"标签 文件夹\\乗", true}));

TEST_F(FolderBrowser, OpensAtItsOwnDefaultSelectionWhateverTheBoxHolds) {
    TempTree temp;
    temp.folder(L"一");
    temp.folder(L"二");
    start_velmora();

    // OK on the untouched dialog gives its default choice, the same whichever
    // folder 编辑框1 held.
    std::vector<std::string> chosen;
    for (const wchar_t* folder : {L"一", L"二"}) {
        std::string held = temp.ansi(folder);
        set_text(Control::编辑框1, held);
        open_browser();
        press_dialog_button(IDOK);
        ASSERT_TRUE(wait_until([&] { return !IsWindow(dialog_); }, program_.handle()));
        ASSERT_TRUE(
            wait_until([&] { return text_in(Control::编辑框1) != held; }, program_.handle()))
            << "编辑框1 still holds the folder it held before";
        chosen.push_back(text_in(Control::编辑框1));
    }
    EXPECT_EQ(chosen[0], chosen[1]);
}

}  // namespace
}  // namespace velmora::testing
