// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include <QString>

#include "common/Text.h"
#include "common/Utf8Path.h"

// File names between Qt's text and the core's paths: through UTF-8 on every platform, so a name
// outside the user's code page (Windows) keeps every character.
namespace wendrix::ui {

[[nodiscard]] inline std::filesystem::path PathFromQString(const QString& text)
{
    return PathFromUtf8(text.toStdString());
}

// For captions and messages; bytes that are no UTF-8 (a Latin-1 name on Linux) are shown as
// Latin-1.
[[nodiscard]] inline QString QStringFromPath(const std::filesystem::path& path)
{
    return QString::fromStdString(ToValidUtf8(PathToUtf8(path)));
}

}  // namespace wendrix::ui
