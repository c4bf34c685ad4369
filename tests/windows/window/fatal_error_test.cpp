// The fatal errors, each in a process of its own: the error box is found and
// read from outside, dismissed as a user would, and the exit status checked.
// The process is fatal_error_probe, linked like velmora.exe with the
// program's own allocation functions.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "program_process.h"

namespace velmora::testing {
namespace {

const std::string kProbe = windows_path(FATAL_ERROR_PROBE);

struct FatalCase {
    const char* name;
    std::string arguments;
    std::string message;
    // The program itself was run: it must have stopped before any handler,
    // so the site was not opened.
    bool program_run = false;
};

// The case by its name, in the test's name and in failure reports.
void PrintTo(const FatalCase& c, std::ostream* out) {
    *out << c.name;
}

FatalCase out_of_memory(const char* name, std::uint64_t bytes) {
    return {name, "memory " + std::to_string(bytes),
            "分配 " + std::to_string(bytes) + " 字节内存失败!"};
}

class FatalError : public VelmoraProcessTest, public ::testing::WithParamInterface<FatalCase> {};

TEST_P(FatalError, ShowsTheErrorBoxThenEndsWithStatusMinusOne) {
    const FatalCase& c = GetParam();
    ASSERT_TRUE(program_.start(kProbe, c.arguments));
    HWND box = nullptr;
    ASSERT_TRUE(
        wait_until([&] { return (box = find_top_level(program_.id(), "#32770")) != nullptr; },
                   program_.handle()))
        << "no box appeared; exit status " << program_.wait_for_exit(0);

    EXPECT_EQ(text_of(box), "错误");
    std::vector<std::string> texts;
    for (HWND label : children_of_class(box, "Static")) {
        std::string text = text_of(label);
        if (!text.empty()) texts.push_back(text);
    }
    EXPECT_EQ(texts, std::vector<std::string>{"运行时出错!\n\n错误信息：" + c.message + "\n"});
    // The process waits for the user.
    EXPECT_FALSE(program_.ended());

    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    PostMessageA(ok, BM_CLICK, 0, 0);
    EXPECT_EQ(program_.wait_for_exit(), 0xFFFFFFFFu);

    if (c.program_run) {
        ASSERT_TRUE(wait_for_browser_quiet());
        EXPECT_EQ(browser_record(), std::vector<std::string>());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FatalError,
    ::testing::Values(out_of_memory("MemoryFarBeyondTheAddressSpace", std::uint64_t{1} << 60),
                      out_of_memory("MemoryJustBeyondTheAddressSpace", std::uint64_t{1} << 47),
                      out_of_memory("TheLargestRequest", SIZE_MAX),
                      FatalCase{"MainWindowNotCreated", "window", "载入启动窗口失败", true}));

}  // namespace
}  // namespace velmora::testing
