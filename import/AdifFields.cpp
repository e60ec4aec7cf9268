#include "import/AdifFields.h"

#include <algorithm>
#include <cstring>

#include "common/Text.h"

namespace wendrix {

void AdifFields::Set(AdifField field, std::string_view value)
{
    auto& slot = m_values[static_cast<std::size_t>(field)];
    const std::size_t length = std::min(value.size(), kMaxValueLength);
    std::memcpy(slot.text.data(), value.data(), length);
    slot.length = static_cast<std::uint8_t>(length);
}

void AdifFields::Clear()
{
    for (auto& slot : m_values) {
        slot.length = 0;
    }
}

bool FindAdifField(std::string_view name, AdifField& field)
{
    // Tags are met once per field and record; a dispatch on the length keeps the comparisons
    // to one or two per tag.
    auto is = [&](AdifField candidate) {
        if (name == kAdifFieldNames[static_cast<std::size_t>(candidate)]) {
            field = candidate;
            return true;
        }
        return false;
    };
    switch (name.size()) {
    case 3:
        return is(AdifField::Day);
    case 4:
        return is(AdifField::Band) || is(AdifField::Freq) || is(AdifField::Year) ||
               is(AdifField::Mode) || is(AdifField::Call) || is(AdifField::Dxcc);
    case 5:
        return is(AdifField::Month);
    case 7:
        return is(AdifField::TimeOn);
    case 8:
        return is(AdifField::QsoDate) || is(AdifField::QslRcvd);
    case 13:
        return is(AdifField::LotwQslRcvd) || is(AdifField::EqslQslRcvd);
    case 15:
        return is(AdifField::LLotwReceived) || is(AdifField::LEqslReceived);
    default:
        return false;
    }
}

namespace {

// Position of the first of two characters at or after from, or npos.
std::size_t FindEither(std::string_view text, std::size_t from, char a, char b)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == a || text[i] == b) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::size_t FindAny(std::string_view text, std::size_t from, char a, char b, char c)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        const char x = text[i];
        if (x == a || x == b || x == c) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

void ScanAdifTags(std::string_view text, AdifFields& fields)
{
    constexpr auto npos = std::string_view::npos;
    const std::size_t size = text.size();
    std::size_t i = text.find('<');
    // Each pass of the loop starts at a '<' (state TagName); every '<' restarts a tag, in
    // whatever state it is met.
    while (i != npos) {
        const std::size_t nameStart = i + 1;
        const std::size_t colon = FindEither(text, nameStart, ':', '<');
        if (colon == npos) {
            return;
        }
        if (text[colon] == '<') {
            i = colon;
            continue;
        }
        const std::string_view name = text.substr(nameStart, colon - nameStart);
        const std::size_t lengthStart = colon + 1;
        std::size_t close = FindAny(text, lengthStart, ':', '>', '<');
        if (close == npos) {
            return;
        }
        if (text[close] == '<') {
            i = close;
            continue;
        }
        const std::string_view lengthText = text.substr(lengthStart, close - lengthStart);
        if (text[close] == ':') {
            // The type text runs to '>'; a further ':' in it is an ordinary character.
            close = FindEither(text, close + 1, '>', '<');
            if (close == npos) {
                return;
            }
            if (text[close] == '<') {
                i = close;
                continue;
            }
        }
        const std::optional<std::int64_t> declared = ReadIntInRange(lengthText, 0, 255);
        std::size_t length = declared ? static_cast<std::size_t>(*declared) : 0;
        const std::size_t valueStart = close + 1;
        if (length == 0) {
            i = text.find('<', valueStart);
            continue;
        }
        // A value is clipped before the next '<' within its declared length.
        const std::size_t available = size - valueStart;
        const std::size_t looked = std::min(length, available);
        const std::size_t lt = text.substr(valueStart, looked).find('<');
        if (lt != npos) {
            length = lt;
        } else if (length > available) {
            return;   // the record ends before the value is complete: the field stays unset
        }
        if (length > 0) {
            AdifField field{};
            if (FindAdifField(name, field)) {
                fields.Set(field, Trim(text.substr(valueStart, length)));
            }
        }
        i = text.find('<', valueStart + length);
    }
}

}  // namespace wendrix
