// A program's texts reach it exactly as they are written in CMake, however many quotation marks and
// backslashes they hold: here the texts of host/CMakeLists.txt.
#include "host/Program.h"

#include <gtest/gtest.h>

#include <string>

namespace host {
namespace {

TEST(ProgramInfoTest, TextsKeepTheirQuotationMarksAndBackslashes) {
    ProgramInfo const& info = programInfo();
    EXPECT_EQ(std::string(info.name), R"x(quote"d)x");
    EXPECT_EQ(std::string(info.id), R"x(org.genalgo.Back\slash)x");
    EXPECT_EQ(std::string(info.summary), R"x(Say "hello" \n, not a line break; (a) "b)" \)x");
    EXPECT_EQ(std::string(info.titleJa), R"x(見本「"」)x");
    EXPECT_EQ(std::string(info.summaryJa), R"x(円記号\と引用符")x");
    EXPECT_EQ(std::string(info.interfaceJa), R"x(R"(生)" )x");
}

} // namespace
} // namespace host
