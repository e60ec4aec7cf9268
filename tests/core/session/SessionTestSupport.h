// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <gmock/gmock.h>

#include "session/SessionPrompts.h"

namespace wendrix::test {

class MockSessionPrompts : public SessionPrompts
{
public:
    MOCK_METHOD(void, ShowError, (std::string_view), (override));
    MOCK_METHOD(void, ShowFileError, (std::string_view), (override));
    MOCK_METHOD(bool, AskOverwriteList, (), (override));
    MOCK_METHOD(bool, AskSaveOnClose, (), (override));
    MOCK_METHOD(std::optional<std::string>, ChooseListFile, (std::span<const std::string>),
                (override));
    MOCK_METHOD(void, ShowReport, (std::string_view, std::span<const std::string>, bool),
                (override));
};

// Matches a span of strings against a vector.
MATCHER_P(LinesAre, expected, "")
{
    return std::vector<std::string>(arg.begin(), arg.end()) == expected;
}

}  // namespace wendrix::test
