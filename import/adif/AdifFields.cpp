// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/adif/AdifFields.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/Text.h"
#include "common/ByteSearch.h"
#include "import/adif/EndTag.h"

namespace wendrix {

void AdifFields::Set(AdifField field, std::string_view value)
{
    auto& slot = m_values[static_cast<std::size_t>(field)];
    const std::size_t length = std::min(value.size(), kMaxValueLength);
    std::memcpy(slot.text.data(), value.data(), length);
    // Upper-case whole words where the slot has room: the bytes behind the value do not count.
    const std::size_t words = std::min((length + 7) / 8 * 8, kMaxValueLength / 8 * 8);
    bytes::AsciiUpperBlock(slot.text.data(), words);
    bytes::AsciiUpperBlock(slot.text.data() + words, length - std::min(length, words));
    slot.length = static_cast<std::uint8_t>(length);
}

void AdifFields::Clear()
{
    for (auto& slot : m_values) {
        slot.length = 0;
    }
}

namespace {

// Compares a tag name as if upper-cased with an upper-case name, without a library call; tag
// names are a handful of bytes.
[[nodiscard]] bool SameName(std::string_view name, std::string_view upperName)
{
    const std::size_t size = name.size();
    if (size != upperName.size()) {
        return false;
    }
    // Most logs write their tags in upper case: compare as words first (two overlapping loads
    // cover any length from 4 to 16), and letter by letter only when that fails.
    const auto load4 = [](const char* p) { return bytes::Load(p, 4); };
    const auto load8 = [](const char* p) { return bytes::Load(p, 8); };
    if (size >= 8 && size <= 16) {
        if (load8(name.data()) == load8(upperName.data()) &&
            load8(name.data() + size - 8) == load8(upperName.data() + size - 8)) {
            return true;
        }
    } else if (size >= 4 && size < 8) {
        if (load4(name.data()) == load4(upperName.data()) &&
            load4(name.data() + size - 4) == load4(upperName.data() + size - 4)) {
            return true;
        }
    }
    for (std::size_t i = 0; i < size; ++i) {
        if (AsciiUpper(name[i]) != upperName[i]) {
            return false;
        }
    }
    return true;
}

// A tag name is looked up once per tag of every record: a small hash of its length and its
// first and third characters picks the one name it can be, and one comparison decides. The
// names are at least three characters long.
constexpr std::size_t NameHash(std::string_view name)
{
    return (name.size() + static_cast<unsigned char>(AsciiUpper(name[0])) * 5u +
            static_cast<unsigned char>(AsciiUpper(name[2])) * 6u) &
           31u;
}

constexpr auto kNameSlots = [] {
    std::array<std::int8_t, 32> slots{};
    for (auto& slot : slots) {
        slot = -1;
    }
    for (std::size_t k = 0; k < kAdifFieldCount; ++k) {
        const std::string_view name = kAdifFieldNames[k];
        auto& slot = slots[NameHash(name)];
        if (slot >= 0) {
            throw "two field names share a hash slot";  // stops the constant evaluation
        }
        slot = static_cast<std::int8_t>(k);
    }
    return slots;
}();

}  // namespace

bool FindAdifField(std::string_view name, AdifField& field)
{
    if (name.size() < 3) {
        return false;
    }
    const std::int8_t slot = kNameSlots[NameHash(name)];
    if (slot < 0 || !SameName(name, kAdifFieldNames[static_cast<std::size_t>(slot)])) {
        return false;
    }
    field = static_cast<AdifField>(slot);
    return true;
}

namespace {

// The declared length of a value as a number in 0..255, 0 when it is not one.
std::size_t DeclaredLength(std::string_view text)
{
    const std::optional<std::int64_t> declared = ReadIntInRange(text, 0, 255);
    return declared ? static_cast<std::size_t>(*declared) : 0;
}

// Character classes that end the parts of a tag.
constexpr std::array<bool, 256> StopSet(std::string_view stops)
{
    std::array<bool, 256> set{};
    for (const char c : stops) {
        set[static_cast<unsigned char>(c)] = true;
    }
    return set;
}
constexpr std::array<bool, 256> kEndOfLength = StopSet(":><");
constexpr std::array<bool, 256> kEndOfType = StopSet("><");

const char* SkipTo(const char* p, const char* end, const std::array<bool, 256>& stops)
{
    while (p != end && !stops[static_cast<unsigned char>(*p)]) {
        ++p;
    }
    return p;
}

std::string_view TrimValue(const char* p, std::size_t length)
{
    while (length > 0 && static_cast<unsigned char>(*p) <= 32) {
        ++p;
        --length;
    }
    while (length > 0 && static_cast<unsigned char>(p[length - 1]) <= 32) {
        --length;
    }
    return {p, length};
}

}  // namespace

bool ScanAdifTags(std::string_view text, AdifFields& fields)
{
    const std::size_t size = text.size();
    const char* const data = text.data();
    const char* const stop = data + size;
    bool endTag = false;
    std::size_t p = static_cast<std::size_t>(bytes::FindByte(data, stop, '<') - data);
    // Each pass of the loop starts at a '<' (state TagName); every '<' restarts a tag, in
    // whatever state it is met. So every '<' of the text passes here once, which is where an
    // end tag would show.
    while (p < size) {
        if (StartingEndTag(text.substr(p)) != EndTag::None) {
            endTag = true;
        }
        const std::size_t nameStart = p + 1;
        const char* const nameEnd = bytes::FindEitherByte(data + nameStart, stop, ':', '<');
        const auto q = static_cast<std::size_t>(nameEnd - data);
        if (q == size) {
            return endTag;
        }
        if (data[q] == '<') {
            p = q;
            continue;
        }
        const std::string_view name(data + nameStart, q - nameStart);
        // The length: plain digits are read on the way; anything else by the general rule.
        const std::size_t lengthStart = q + 1;
        std::size_t r = lengthStart;
        std::size_t length = 0;
        while (r < size && static_cast<unsigned char>(data[r] - '0') < 10) {
            length =
                std::min<std::size_t>(length * 10 + static_cast<std::size_t>(data[r] - '0'), 999);
            ++r;
        }
        if (r == size) {
            return endTag;
        }
        if (r == lengthStart || (data[r] != '>' && data[r] != ':')) {
            r = static_cast<std::size_t>(SkipTo(data + lengthStart, stop, kEndOfLength) - data);
            if (r == size) {
                return endTag;
            }
            if (data[r] == '<') {
                p = r;
                continue;
            }
            length = DeclaredLength(text.substr(lengthStart, r - lengthStart));
        } else if (length > 255) {
            length = 0;
        }
        if (data[r] == ':') {
            // The type text runs to '>'; a further ':' in it is an ordinary character.
            r = static_cast<std::size_t>(SkipTo(data + r + 1, stop, kEndOfType) - data);
            if (r == size) {
                return endTag;
            }
            if (data[r] == '<') {
                p = r;
                continue;
            }
        }
        const std::size_t valueStart = r + 1;
        // The next '<' both clips the value and starts the next tag.
        const std::size_t next =
            static_cast<std::size_t>(bytes::FindByte(data + valueStart, stop, '<') - data);
        if (length == 0) {
            p = next;
            continue;
        }
        if (next - valueStart < length) {
            if (next == size) {
                // The record ends before the value is complete: the field stays unset.
                return endTag;
            }
            length = next - valueStart;  // clipped before the '<'
        }
        if (length > 0) {
            AdifField field{};
            if (FindAdifField(name, field)) {
                fields.Set(field, TrimValue(data + valueStart, length));
            }
        }
        p = next;
    }
    return endTag;
}

}  // namespace wendrix
