#include "common/Text.h"

#include <cmath>
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

std::optional<std::int64_t> ReadIntInRange(std::string_view text, std::int64_t lo,
                                            std::int64_t hi)
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

}  // namespace wendrix
