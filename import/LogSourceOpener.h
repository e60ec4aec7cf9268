// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>

#include "import/adif/AdifByteSource.h"
#include "import/adif/AdifFileSource.h"

// Opens the logs the user chose: from disk, or from memory in tests and benchmarks.
namespace wendrix {

struct OpenedLog
{
    std::unique_ptr<AdifByteSource> Source;  // null when nothing could be opened
    FileKind Kind = FileKind::Regular;       // why not: missing, unreadable, or no file at all
};

class LogSourceOpener
{
public:
    virtual ~LogSourceOpener() = default;
    // Null when the file cannot be opened; such a file gives no records and no message.
    [[nodiscard]] virtual std::unique_ptr<AdifByteSource>
    Open(const std::filesystem::path& file) = 0;
    // The same with the reason when nothing was opened. A chosen or dropped entry that is no
    // file (a directory, a pipe, ...) gets a report line; one that is missing or unreadable is
    // passed over silently.
    [[nodiscard]] virtual OpenedLog OpenLog(const std::filesystem::path& file)
    {
        OpenedLog opened;
        opened.Source = Open(file);
        opened.Kind = opened.Source ? FileKind::Regular : FileKind::Unreadable;
        return opened;
    }
};

class DiskLogSourceOpener final : public LogSourceOpener
{
public:
    [[nodiscard]] std::unique_ptr<AdifByteSource> Open(const std::filesystem::path& file) override
    {
        return AdifFileSource::Open(file);
    }
    [[nodiscard]] OpenedLog OpenLog(const std::filesystem::path& file) override
    {
        OpenedLog opened;
        opened.Source = AdifFileSource::Open(file, opened.Kind);
        return opened;
    }
};

}  // namespace wendrix
