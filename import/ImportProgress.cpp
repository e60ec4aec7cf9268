// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportProgress.h"

#include <algorithm>

#include "common/Text.h"
#include "common/Utf8Path.h"

namespace wendrix {

std::string ProgressFileText(const std::filesystem::path& file)
{
    std::string text = ToValidUtf8("Lese ADIF-Log " + PathToUtf8(file));
    if (text.size() > kProgressTextLimit) {
        std::size_t cut = kProgressTextLimit;
        // Do not leave half a character at the end.
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u) {
            --cut;
        }
        text.resize(cut);
    }
    return text;
}

std::uint64_t ExpectedTotal(std::uint64_t fileSize)
{
    const std::uint64_t total = fileSize / 128 * 128;
    return total == 0 ? 1 : total;
}

std::int64_t ProgressPercent(std::uint64_t bytesRead, std::uint64_t expectedTotal)
{
    return static_cast<std::int64_t>(bytesRead * 100 / std::max<std::uint64_t>(expectedTotal, 1));
}

}  // namespace wendrix
