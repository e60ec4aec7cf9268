// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include <QString>

#include "common/Text.h"

namespace wendrix::ui {

// Text from the core as the windows show it. The core's text is UTF-8; a byte that is not part
// of a valid sequence (a list or log written by an older program) is taken as the Latin-1
// character of that value, as the core's own reports do, so no window shows a text differently
// from the log beside it. Names and labels are plain ASCII and take the quick way.
[[nodiscard]] inline QString FromCoreText(std::string_view text)
{
    bool ascii = true;
    for (const char c : text) {
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    }
    if (ascii) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    std::string buffer;
    const std::string_view valid = AsValidUtf8(text, buffer);
    return QString::fromUtf8(valid.data(), static_cast<qsizetype>(valid.size()));
}

}  // namespace wendrix::ui
