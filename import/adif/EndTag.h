// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/Text.h"

// The two end tags of ADIF, "<EOR>" (end of a record) and "<EOH>" (end of the header). Letters
// count as if upper-cased; '<' and '>' are taken as they are.
namespace wendrix {

enum class EndTag : std::uint8_t {
    None,
    Eor,
    Eoh
};

inline constexpr std::size_t kEndTagLength = 5;

// Follows the end tags through text that may arrive in pieces, one byte at a time.
class EndTagMatcher
{
public:
    // The tag that this byte completes, if any.
    EndTag Step(char raw)
    {
        const char c = AsciiUpper(raw);
        if (c == '<') {
            m_state = State::Lt;
        } else if (m_state == State::Lt && c == 'E') {
            m_state = State::E;
        } else if (m_state == State::E && c == 'O') {
            m_state = State::Eo;
        } else if (m_state == State::Eo && (c == 'R' || c == 'H')) {
            m_state = c == 'R' ? State::Eor : State::Eoh;
        } else if ((m_state == State::Eor || m_state == State::Eoh) && c == '>') {
            const EndTag found = m_state == State::Eor ? EndTag::Eor : EndTag::Eoh;
            m_state = State::None;
            return found;
        } else {
            m_state = State::None;
        }
        return EndTag::None;
    }

    // Whether the text seen so far ends with no beginning of a tag.
    [[nodiscard]] bool Idle() const { return m_state == State::None; }
    void Reset() { m_state = State::None; }
    // Whether the text seen so far ends with a beginning of "<EOH>".
    [[nodiscard]] bool CouldStillBecomeEoh() const
    {
        return m_state == State::Lt || m_state == State::E || m_state == State::Eo ||
               m_state == State::Eoh;
    }

private:
    // How much of a tag the text seen so far ends with.
    enum class State : std::uint8_t {
        None,
        Lt,   // "<"
        E,    // "<E"
        Eo,   // "<EO"
        Eor,  // "<EOR"
        Eoh   // "<EOH"
    };
    State m_state = State::None;
};

// The end tag that text begins with, if any.
[[nodiscard]] inline EndTag StartingEndTag(std::string_view text)
{
    if (text.size() < kEndTagLength || text[0] != '<' || AsciiUpper(text[1]) != 'E' ||
        AsciiUpper(text[2]) != 'O' || text[4] != '>') {
        return EndTag::None;
    }
    const char kind = AsciiUpper(text[3]);
    return kind == 'R' ? EndTag::Eor : kind == 'H' ? EndTag::Eoh : EndTag::None;
}

// Whether text is exactly "<EOR>".
[[nodiscard]] inline bool IsEorTag(std::string_view text)
{
    return text.size() == kEndTagLength && StartingEndTag(text) == EndTag::Eor;
}

struct FoundEndTag
{
    std::size_t end;  // just behind the tag's '>'
    bool eoh;
};

// Collects the end tags of a line held whole, in order. candidates is scratch space, passed in so
// that its memory is reused from line to line.
void FindEndTags(std::string_view line, std::vector<std::size_t>& candidates,
                 std::vector<FoundEndTag>& tags);

}  // namespace wendrix
