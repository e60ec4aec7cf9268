// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Whose log it is: the station call of a record compared with the member's own, by the base
// call, so that a member's portable and mobile operation counts as the member's own.
namespace wendrix {

// The call without portable prefixes and suffixes, upper case: "EA8/DL1ABC", "DL1ABC/P",
// "dl1abc/mm" and "DL1ABC/QRP" all give "DL1ABC". Of the parts between the strokes the longest
// that is no operating suffix (P, M, MM, AM, QRP, A, a single digit) is the base call.
[[nodiscard]] std::string BaseCall(std::string_view call);

// Whether two calls name the same station (one's base call stands in the other); false when
// either has no base call.
[[nodiscard]] bool SameStation(std::string_view a, std::string_view b);

}  // namespace wendrix
