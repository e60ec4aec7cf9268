// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace wendrix {

// The steps of a safe write, each one call, so that their order can be checked and a failure
// at any of them tried out. The disk's own steps are DiskWriteSteps().
class SafeWriteSteps
{
public:
    virtual ~SafeWriteSteps() = default;
    // A new file next to the target that did not exist before; null on failure.
    [[nodiscard]] virtual std::FILE* CreateTemporary(const std::filesystem::path& target,
                                                     std::filesystem::path& created) = 0;
    [[nodiscard]] virtual bool Write(std::FILE* file, std::string_view content) = 0;
    // From the C library's buffer to the operating system.
    [[nodiscard]] virtual bool Flush(std::FILE* file) = 0;
    // From the operating system's cache to the disk.
    [[nodiscard]] virtual bool Sync(std::FILE* file) = 0;
    [[nodiscard]] virtual bool Close(std::FILE* file) = 0;
    // Puts the temporary file in the target's place in one step.
    [[nodiscard]] virtual bool Replace(const std::filesystem::path& temporary,
                                       const std::filesystem::path& target) = 0;
    // Makes the new directory entry itself survive a power cut.
    [[nodiscard]] virtual bool SyncDirectory(const std::filesystem::path& directory) = 0;
    virtual void Remove(const std::filesystem::path& temporary) = 0;
};

[[nodiscard]] SafeWriteSteps& DiskWriteSteps();

// Replaces the file at the target path by the content without ever leaving a half-written
// target, even after a power cut: the bytes go to a fresh temporary file in the same directory,
// which is flushed, synced to the disk, closed and checked, and only then renamed over the
// target; the directory is synced after the rename. On any failure before the rename the
// temporary file is removed, the previous target (if any) is left exactly as it was, and false
// is returned. A target that is a symbolic link is replaced where the link points.
[[nodiscard]] bool WriteFileSafely(const std::filesystem::path& target, std::string_view content,
                                   SafeWriteSteps& steps = DiskWriteSteps());

// std::fopen for a path in the platform's own encoding (wide characters on Windows).
[[nodiscard]] std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

}  // namespace wendrix
