// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/CallSign.h"

#include <string>

#include <gtest/gtest.h>

namespace wendrix {
namespace {

struct FilterCase
{
    const char* name;
    std::string typed;
    std::string held;
};

class FilterCallSignTest : public testing::TestWithParam<FilterCase>
{
};

TEST_P(FilterCallSignTest, KeepsOnlyFileNameSafeCharactersInUpperCase)
{
    EXPECT_EQ(FilterCallSign(GetParam().typed), GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(
    CallSign, FilterCallSignTest,
    testing::Values(FilterCase{"LowerCaseWithSlashAndBlank", "dl1abc/p x", "DL1ABCPX"},
                    FilterCase{"HyphenAndUnderscorePass", "da0-wdx_2", "DA0-WDX_2"},
                    // Pasted text must never name a file outside the list directory.
                    FilterCase{"ParentDirectory", "../../etc/passwd", "ETCPASSWD"},
                    FilterCase{"Backslashes", "..\\x\\y", "XY"},
                    FilterCase{"ControlCharacters",
                               std::string("A\bB\tC\r\n\x7f"
                                           "D\0E",
                                           11),
                               "ABCDE"},
                    FilterCase{"NonAsciiBytes",
                               "D\xC3\xBC"
                               "L",
                               "DL"},
                    FilterCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<FilterCase>& param) { return param.param.name; });

TEST(UploadHint, AppearsFromTheFourthCharacterWithTheFileName)
{
    EXPECT_EQ(UploadHint(""), std::nullopt);
    EXPECT_EQ(UploadHint("DL1"), std::nullopt);
    EXPECT_EQ(UploadHint("DL1A"), "Upload zum RAVK: Datei DL1A.CFD");
    EXPECT_EQ(UploadHint("DA0WDX"), "Upload zum RAVK: Datei DA0WDX.CFD");
}

}  // namespace
}  // namespace wendrix
