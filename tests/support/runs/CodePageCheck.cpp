// Compiled into every test program: a run registered for the Japanese code
// page (QUIB_CODEPAGE=932) fails as a whole when the process does not really
// have it, instead of letting its Japanese checks pass by skipping.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

class CodePageCheck : public testing::Environment {
public:
    void SetUp() override {
        const char* wanted = std::getenv("QUIB_CODEPAGE");
        if (wanted && *wanted) {
            ASSERT_EQ(std::to_string(GetACP()), std::string(wanted))
                << "this run was registered for code page " << wanted;
        }
    }
};

const testing::Environment* const kCheck = testing::AddGlobalTestEnvironment(new CodePageCheck);

}  // namespace
