// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportPrompts.h"

#include "common/Text.h"
#include "common/Utf8Path.h"

namespace wendrix {

std::string EntityQuestion::Text() const
{
    return ToValidUtf8("Land ermittelt : " + mainPrefix + " für " + call + "(" +
                       std::to_string(year) + ")");
}

std::string OtherStationQuestion::Text() const
{
    return ToValidUtf8("Das Log " + PathToUtf8(file) + " enthält QSOs der Station " + stationCall +
                       ", nicht von " + ownCall +
                       ".\r\nDie QSOs anderer Stationen aus diesem Log mitzählen?");
}

std::string ReadErrorQuestionText(const std::filesystem::path& file)
{
    return ToValidUtf8("Lesefehler in Datei " + PathToUtf8(file) + "\r\nImport abbrechen ?");
}

}  // namespace wendrix
