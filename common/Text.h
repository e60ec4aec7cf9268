#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text helpers shared by all subsystems. Text is handled as single-byte characters exactly as
// it stands in a file: no character-set conversion ever happens in the core.
namespace wendrix {

// Turns the ASCII letters a..z into A..Z and leaves every other byte unchanged.
[[nodiscard]] std::string AsciiUpper(std::string_view text);
void AsciiUpperInPlace(std::string& text);
[[nodiscard]] constexpr char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// Removes every leading and trailing character with a code of 32 or less.
[[nodiscard]] std::string_view Trim(std::string_view text);
[[nodiscard]] std::string_view TrimRight(std::string_view text);

// Reads a trimmed text as a signed decimal integer in lo..hi. Empty text, anything that is not
// an optional sign followed by digits, and values outside the range give no value.
[[nodiscard]] std::optional<std::int64_t> ReadIntInRange(std::string_view text, std::int64_t lo,
                                                         std::int64_t hi);

// Puts "0" characters in front until the text has the width; a longer text stays as it is.
[[nodiscard]] std::string PadLeftZeros(std::string_view text, std::size_t width);
// The same with blanks; never cuts.
[[nodiscard]] std::string PadLeftSpaces(std::string_view text, std::size_t width);
// Appends blanks up to the width; a text of the width or longer is cut to the width.
[[nodiscard]] std::string PadRightFixed(std::string_view text, std::size_t width);
// The text repeated count times; empty for a count below 1.
[[nodiscard]] std::string RepeatText(std::string_view text, int count);

// Rounds to the nearest whole number, halves to the even neighbour.
[[nodiscard]] std::int64_t RoundHalfEven(double value);

}  // namespace wendrix
