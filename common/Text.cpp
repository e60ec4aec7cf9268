// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Text.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace wendrix {

std::string AsciiUpper(std::string_view text)
{
    std::string result(text);
    AsciiUpperInPlace(result);
    return result;
}

void AsciiUpperInPlace(std::string& text)
{
    for (char& c : text) {
        c = AsciiUpper(c);
    }
}

std::string_view Trim(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size() && static_cast<unsigned char>(text[begin]) <= 32) {
        ++begin;
    }
    return TrimRight(text.substr(begin));
}

std::string_view TrimRight(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= 32) {
        --end;
    }
    return text.substr(0, end);
}

std::optional<std::int64_t> ReadIntInRange(std::string_view text, std::int64_t lo, std::int64_t hi)
{
    text = Trim(text);
    if (text.empty()) {
        return std::nullopt;
    }
    bool negative = false;
    std::size_t pos = 0;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        pos = 1;
    }
    if (pos == text.size()) {
        return std::nullopt;
    }
    // Accumulate as a negative number so that the most negative value still fits; any overflow
    // makes the value invalid rather than wrapping.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const int digit = c - '0';
        if (value < (kMin + digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kMin) {
            return std::nullopt;
        }
        value = -value;
    }
    if (value < lo || value > hi) {
        return std::nullopt;
    }
    return value;
}

std::string PadLeftZeros(std::string_view text, std::size_t width)
{
    if (text.size() >= width) {
        return std::string(text);
    }
    return std::string(width - text.size(), '0') + std::string(text);
}

std::string PadLeftSpaces(std::string_view text, std::size_t width)
{
    if (text.size() >= width) {
        return std::string(text);
    }
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string PadRightFixed(std::string_view text, std::size_t width)
{
    std::string result(text.substr(0, width));
    result.resize(width, ' ');
    return result;
}

std::string RepeatText(std::string_view text, int count)
{
    std::string result;
    for (int i = 0; i < count; ++i) {
        result += text;
    }
    return result;
}

std::int64_t RoundHalfEven(double value)
{
    return static_cast<std::int64_t>(std::nearbyint(value));
}

namespace {

// The length of the valid UTF-8 sequence that starts at p, 0 when none does. The second byte's
// range rules out overlong forms (E0, F0), surrogates (ED) and code points above U+10FFFF (F4).
std::size_t Utf8SequenceLength(const unsigned char* p, std::size_t available)
{
    const unsigned char lead = p[0];
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;  // a continuation byte, C0, C1 or F5..FF
    }
    if (available < length || p[1] < low || p[1] > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// Skips plain ASCII from position i on, eight bytes at a time.
std::size_t SkipAscii(const unsigned char* text, std::size_t i, std::size_t size)
{
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text + i, 8);
        if ((word & 0x8080808080808080ULL) != 0) {
            break;
        }
    }
    while (i < size && text[i] < 0x80) {
        ++i;
    }
    return i;
}

// The position of the first byte that is not part of a valid UTF-8 sequence, or size.
std::size_t FirstInvalidUtf8(std::string_view text)
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    for (;;) {
        i = SkipAscii(bytes, i, size);
        if (i == size) {
            return size;
        }
        const std::size_t length = Utf8SequenceLength(bytes + i, size - i);
        if (length == 0) {
            return i;
        }
        i += length;
    }
}

// Appends text, converted from position from on, where the first invalid byte is.
void AppendConverted(std::string& out, std::string_view text, std::size_t from)
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
    out.append(text.substr(0, from));
    for (std::size_t i = from; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(bytes + i, text.size() - i);
        if (length > 0) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            // Latin-1: the byte's value is its code point, U+0080..U+00FF in two bytes.
            out += static_cast<char>(0xC0 | (bytes[i] >> 6));
            out += static_cast<char>(0x80 | (bytes[i] & 0x3F));
            ++i;
        }
    }
}

void AppendHexEscape(std::string& out, unsigned char byte)
{
    constexpr std::string_view kDigits = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    return FirstInvalidUtf8(text) == text.size();
}

std::string_view AsValidUtf8(std::string_view text, std::string& buffer)
{
    const std::size_t invalid = FirstInvalidUtf8(text);
    if (invalid == text.size()) {
        return text;
    }
    buffer.clear();
    AppendConverted(buffer, text, invalid);
    return buffer;
}

std::string ToValidUtf8(std::string text)
{
    const std::size_t invalid = FirstInvalidUtf8(text);
    if (invalid == text.size()) {
        return text;
    }
    std::string converted;
    converted.reserve(text.size() + (text.size() - invalid));
    AppendConverted(converted, text, invalid);
    return converted;
}

std::string EscapeForTerminal(std::string_view text)
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char byte = bytes[i];
        if (byte < 0x20 || byte == 0x7F) {
            AppendHexEscape(out, byte);
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(bytes + i, text.size() - i);
        if (length == 0) {
            AppendHexEscape(out, byte);
            ++i;
        } else if (length == 2 && byte == 0xC2 && bytes[i + 1] < 0xA0) {
            AppendHexEscape(out, byte);  // C1 control: U+0080..U+009F
            AppendHexEscape(out, bytes[i + 1]);
            i += 2;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

}  // namespace wendrix
