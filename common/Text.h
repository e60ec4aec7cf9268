// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text helpers shared by all subsystems. Text is handled as single-byte characters exactly as
// it stands in a file; the only conversions are those below for text shown in a window or on a
// terminal, never for what is written to a file.
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

// Text for windows, which need valid UTF-8. Logs carry bytes in whatever character set their
// program used, mostly UTF-8 or Latin-1; a byte that is not part of a valid UTF-8 sequence
// (overlong forms, surrogates, code points above U+10FFFF and cut-off sequences are not) is
// taken as the Latin-1 character of that value, so "f\xFCr" becomes "für".
[[nodiscard]] bool IsValidUtf8(std::string_view text);
// Returns text itself when it is valid UTF-8; otherwise converts it into buffer and returns a
// view of buffer (text must not lie in buffer). Valid text costs only the check.
[[nodiscard]] std::string_view AsValidUtf8(std::string_view text, std::string& buffer);
// The same for a text the caller owns: handed back untouched when it is valid.
[[nodiscard]] std::string ToValidUtf8(std::string text);

// Text for a terminal: the C0 control bytes 0x00..0x1F, DEL (0x7F), the C1 controls
// U+0080..U+009F in their UTF-8 form and every byte that is not part of a valid UTF-8 sequence
// are written as \x followed by two lower-case hex digits per byte ("\x1b", "\xc2\x9b",
// "\xfc"), so that no byte of a log can move the cursor, change colours or retitle the window.
// A backslash stays as it is. The result is valid UTF-8.
[[nodiscard]] std::string EscapeForTerminal(std::string_view text);

}  // namespace wendrix
