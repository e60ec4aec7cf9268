// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// File names travel through the program as UTF-8 text, whatever the platform keeps them in
// (bytes on Linux, UTF-16 on Windows, where path::string() would give the user's code page
// with some compilers and lose every character outside it).
namespace wendrix {

[[nodiscard]] inline std::string PathToUtf8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

[[nodiscard]] inline std::filesystem::path PathFromUtf8(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace wendrix
