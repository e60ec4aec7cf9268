// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// How the import run shows its progress: one window per file, shown at 0 percent, stepped
// whenever the whole-number percentage changes, and hidden at the end of the file.
namespace wendrix {

class ImportProgress
{
public:
    virtual ~ImportProgress() = default;

    // Shows the window with its two lines of text (each at most 255 characters) at a percentage.
    virtual void ShowProgress(std::string_view upperText, std::string_view lowerText,
                              int percent) = 0;
    // Moves the bar to a percentage in 0..100; false asks the caller to stop the current file.
    [[nodiscard]] virtual bool StepProgress(int percent) = 0;
    virtual void HideProgress() = 0;
};

// What the bar shows for a percentage: values outside 0..100 are shown as 0 or 100.
[[nodiscard]] constexpr int ProgressBarValue(long long percent)
{
    return percent < 0 ? 0 : (percent > 100 ? 100 : static_cast<int>(percent));
}

// The upper text of the progress window for a file, as valid UTF-8, cut after 255 bytes without
// splitting a character.
[[nodiscard]] std::string ProgressFileText(const std::filesystem::path& file);
inline constexpr std::string_view kProgressWaitText = "Bitte warten ...";
inline constexpr std::size_t kProgressTextLimit = 255;

// Bytes read * 100 div the expected total, which is the file size rounded down to a multiple of
// 128, but at least 1.
[[nodiscard]] std::uint64_t ExpectedTotal(std::uint64_t fileSize);
[[nodiscard]] std::int64_t ProgressPercent(std::uint64_t bytesRead, std::uint64_t expectedTotal);

}  // namespace wendrix
