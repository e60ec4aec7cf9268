#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace wendrix {

// Replaces the file at the target path by the content without ever leaving a half-written
// target: the bytes go to a fresh temporary file in the same directory, which is flushed, closed
// and checked, and only then renamed over the target. On any failure the temporary file is
// removed, the previous target (if any) is left exactly as it was, and false is returned.
// A target that is a symbolic link is replaced where the link points.
[[nodiscard]] bool WriteFileSafely(const std::filesystem::path& target, std::string_view content);

// std::fopen for a path in the platform's own encoding (wide characters on Windows).
[[nodiscard]] std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

}  // namespace wendrix
