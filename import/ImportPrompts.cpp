#include "import/ImportPrompts.h"

namespace wendrix {

std::string EntityQuestion::Text() const
{
    return "Land ermittelt : " + mainPrefix + " für " + call + "(" + std::to_string(year) + ")";
}

std::string ReadErrorQuestionText(const std::filesystem::path& file)
{
    return "Lesefehler in Datei " + file.string() + "\r\nImport abbrechen ?";
}

}  // namespace wendrix
