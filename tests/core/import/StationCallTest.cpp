// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/StationCall.h"

#include <gtest/gtest.h>

namespace wendrix {
namespace {

TEST(StationCall, PortableAndMobileOperationIsTheSameStation)
{
    for (const char* call : {"DL1ABC", "DL1ABC/P", "EA8/DL1ABC", "dl1abc/mm", "DL1ABC/QRP",
                             "DL1ABC/M", " DL1ABC ", "F/DL1ABC/P", "DL1ABC/3"}) {
        EXPECT_TRUE(SameStation("DL1ABC", call)) << call;
        EXPECT_EQ(BaseCall(call), "DL1ABC") << call;
    }
    EXPECT_TRUE(SameStation("W1AW", "VP2E/W1AW")) << "prefix as long as the call";
    EXPECT_TRUE(SameStation("EA8/DL1ABC", "DL1ABC/P"));
}

TEST(StationCall, OtherCallsAndEmptyOnesAreNoMatch)
{
    EXPECT_FALSE(SameStation("DL1ABC", "DL1ABD"));
    EXPECT_FALSE(SameStation("DL1ABC", "DA0WDX/P"));
    EXPECT_FALSE(SameStation("DL1ABC", "DL1AB"));
    EXPECT_FALSE(SameStation("", ""));
    EXPECT_FALSE(SameStation("DL1ABC", "/P"));
}

}  // namespace
}  // namespace wendrix
