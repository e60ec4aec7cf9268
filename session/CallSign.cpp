// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/CallSign.h"

#include "common/Text.h"
#include "lists/ListFiles.h"

namespace wendrix {

std::string FilterCallSign(std::string_view text)
{
    std::string call;
    call.reserve(text.size());
    for (const char c : text) {
        if (IsCallSignCharacter(c)) {
            call += AsciiUpper(c);
        }
    }
    return call;
}

std::optional<std::string> UploadHint(std::string_view callSign)
{
    if (callSign.size() <= kShortestUnsavableCallLength) {
        return std::nullopt;
    }
    std::string hint = "Upload zum RAVK: Datei ";
    hint += callSign;
    hint += kListExtension;
    return hint;
}

}  // namespace wendrix
