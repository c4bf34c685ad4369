// Every test under Wine assumes the ANSI code page 936. Without the zh_CN
// locale Wine quietly uses 1252, and the tests would prove nothing about the
// texts the program really handles: fail loudly instead.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

class CodePage936 : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 936u) << "the ANSI code page must be 936 (LANG=zh_CN.UTF-8 under Wine)";
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new CodePage936);

}  // namespace
