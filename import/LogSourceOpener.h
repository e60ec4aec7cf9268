// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>

#include "import/AdifByteSource.h"
#include "import/AdifFileSource.h"

// Opens the logs the user chose: from disk, or from memory in tests and benchmarks.
namespace wendrix {

class LogSourceOpener
{
public:
    virtual ~LogSourceOpener() = default;
    // Null when the file cannot be opened; such a file gives no records and no message.
    [[nodiscard]] virtual std::unique_ptr<AdifByteSource>
    Open(const std::filesystem::path& file) = 0;
};

class DiskLogSourceOpener final : public LogSourceOpener
{
public:
    [[nodiscard]] std::unique_ptr<AdifByteSource> Open(const std::filesystem::path& file) override
    {
        return AdifFileSource::Open(file);
    }
};

}  // namespace wendrix
