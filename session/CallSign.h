// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The station's own call sign as the program holds it: it names the list file, so it may only
// hold characters that are safe in a file name on every platform.
namespace wendrix {

// A call sign of this length or shorter cannot be saved.
inline constexpr std::size_t kShortestUnsavableCallLength = 3;

// "-", "_", the digits and the ASCII letters pass; everything else (the blank, "/", "\", ".",
// control characters) is dropped by the call-sign edit.
[[nodiscard]] constexpr bool IsCallSignCharacter(char c)
{
    return c == '-' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z');
}

// What the edit holds after the text was typed or pasted: the characters that pass, upper-cased.
[[nodiscard]] std::string FilterCallSign(std::string_view text);

// "Upload zum RAVK: Datei <call>.CFD" for a call sign of four or more characters; none (the hint
// is hidden) for a shorter one.
[[nodiscard]] std::optional<std::string> UploadHint(std::string_view callSign);

}  // namespace wendrix
