// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/adif/EndTag.h"

#include <bit>

#include "common/ByteSearch.h"

namespace wendrix {

// Eight bytes at a time: a tag needs a '<' followed by an 'E', which is rare elsewhere, so only
// those places are looked at more closely. The two tags begin with the only '<' they hold, so
// they never overlap.
void FindEndTags(std::string_view line, std::vector<std::size_t>& candidates,
                 std::vector<FoundEndTag>& tags)
{
    candidates.clear();
    tags.clear();
    const char* const text = line.data();
    const std::size_t length = line.size();
    std::size_t i = 0;
    bool lastWasLt = false;
    for (; i + 8 <= length; i += 8) {
        const std::uint64_t word = bytes::Load(text + i, 8);
        const std::uint64_t lt = bytes::Equals(word, '<');
        if (lt == 0 && !lastWasLt) {
            continue;
        }
        const std::uint64_t e = bytes::Equals(word | (bytes::kOnes * 0x20), 'e');  // 'E' or 'e'
        if (lastWasLt && (e & 0x80) != 0) {
            candidates.push_back(i - 1);
        }
        for (std::uint64_t both = lt & (e >> 8); both != 0; both &= both - 1) {
            candidates.push_back(i + bytes::FirstMarked(both));
        }
        lastWasLt = (lt >> 63) != 0;
    }
    if (lastWasLt && i < length && AsciiUpper(text[i]) == 'E') {
        candidates.push_back(i - 1);
    }
    for (std::size_t k = i; k + 1 < length; ++k) {
        if (text[k] == '<' && AsciiUpper(text[k + 1]) == 'E') {
            candidates.push_back(k);
        }
    }
    for (const std::size_t k : candidates) {
        const EndTag found = StartingEndTag(line.substr(k));
        if (found != EndTag::None) {
            tags.push_back({k + kEndTagLength, found == EndTag::Eoh});
        }
    }
}

}  // namespace wendrix
