// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/StationCall.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/Text.h"

namespace wendrix {

namespace {

bool IsOperatingSuffix(std::string_view part)
{
    static constexpr std::array<std::string_view, 6> kSuffixes{"P", "M", "MM", "AM", "QRP", "A"};
    if (part.size() == 1 && part[0] >= '0' && part[0] <= '9') {
        return true;  // a call area given after the call
    }
    for (const std::string_view suffix : kSuffixes) {
        if (part == suffix) {
            return true;
        }
    }
    return false;
}

// The parts between the strokes that are no operating suffix, upper case.
std::vector<std::string> CallParts(std::string_view call)
{
    std::vector<std::string> parts;
    const std::string upper = AsciiUpper(Trim(call));
    std::string_view rest(upper);
    while (true) {
        const std::size_t stroke = rest.find('/');
        const std::string_view part = rest.substr(0, stroke);
        if (!part.empty() && !IsOperatingSuffix(part)) {
            parts.emplace_back(part);
        }
        if (stroke == std::string_view::npos) {
            return parts;
        }
        rest.remove_prefix(stroke + 1);
    }
}

bool HasPart(const std::vector<std::string>& parts, std::string_view part)
{
    return std::find(parts.begin(), parts.end(), part) != parts.end();
}

}  // namespace

std::string BaseCall(std::string_view call)
{
    std::string best;
    for (std::string& part : CallParts(call)) {
        if (part.size() > best.size()) {
            best = std::move(part);
        }
    }
    return best;
}

bool SameStation(std::string_view a, std::string_view b)
{
    // Where prefix and call are of one length ("VP2E/W1AW") the longest part is no sure guide:
    // the base call of either side standing in the other suffices.
    const std::string baseA = BaseCall(a);
    const std::string baseB = BaseCall(b);
    if (baseA.empty() || baseB.empty()) {
        return false;
    }
    return baseA == baseB || HasPart(CallParts(b), baseA) || HasPart(CallParts(a), baseB);
}

}  // namespace wendrix
