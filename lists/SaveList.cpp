// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/SaveList.h"

#include <algorithm>

#include "common/SafeFile.h"
#include "common/Text.h"
#include "lists/ListPrefixTable.h"
#include "common/Utf8Path.h"

namespace wendrix {

namespace {

constexpr std::size_t kMaxNameLength = 30;

void AppendLine(std::string& text, std::string_view line)
{
    text += line;
    text += kLineEnd;
}

}  // namespace

std::string MarkGroup(const ConfirmationMatrix::CellRow& row, int band)
{
    std::string group(4, '-');
    for (std::size_t k = 0; k < kDisplayModeOrder.size(); ++k) {
        const auto mode = static_cast<std::size_t>(kDisplayModeOrder[k]);
        if (row[static_cast<std::size_t>(band)][mode] != 0) {
            group[k] = kDisplayModeLetters[k];
        }
    }
    return group;
}

std::uint32_t MarkWeight(int band, int mode)
{
    const int column = band == kAllBands ? 9 : band;
    const int base = 4 * column;
    switch (mode) {
    case kModeMixed:
        return static_cast<std::uint32_t>(base + 8);
    case kModeCw:
        return static_cast<std::uint32_t>(base + 5);
    case kModeFone:
        return static_cast<std::uint32_t>(base + 6);
    default:
        return static_cast<std::uint32_t>(base + 7);
    }
}

std::string ListHeaderLine()
{
    std::string line = "Entity" + std::string(16, ' ') + "\\" + std::string(10, ' ') +
                       "MHz:" + std::string(3, ' ') + "ALL ";
    for (int b = 0; b < kListBandCount; ++b) {
        line += PadLeftSpaces(Trim(kBandLabels[static_cast<std::size_t>(b)]), 5);
        line += ' ';
    }
    return line;
}

ListEntityLine FormatEntityLine(std::string_view listPrefix, std::string_view name,
                                const ConfirmationMatrix::CellRow& row)
{
    name = name.substr(0, kMaxNameLength);
    const int nameLength = static_cast<int>(name.size());

    ListEntityLine line;
    line.Text.reserve(kListEntityLineLength);
    line.Text += PadRightFixed(listPrefix, kListPrefixWidth);
    line.Text += name;
    line.Text += "  ";
    line.Text += RepeatText(".", 28 - nameLength);
    line.Text += std::string(static_cast<std::size_t>(std::min(2, 30 - nameLength)), ' ');

    const auto addGroup = [&](int band) {
        const std::string group = MarkGroup(row, band);
        line.Text += group;
        line.Text += "  ";
        for (std::size_t k = 0; k < group.size(); ++k) {
            if (group[k] != '-') {
                line.Weight += MarkWeight(band, kDisplayModeOrder[k]);
            }
        }
    };
    addGroup(kAllBands);
    for (int b = 0; b < kListBandCount; ++b) {
        addGroup(b);
    }
    return line;
}

std::string FormatList(std::string_view callSign, const EntityCatalogue& catalogue,
                       const ConfirmationMatrix& matrix)
{
    std::string text;
    text.reserve(1024 + (kListEntityLineLength + 2) * catalogue.EntityCount());
    AppendLine(text, callSign);
    AppendLine(text, std::string(62, '-'));
    AppendLine(text, "Wendrix 1.37 - Overview Confirmed Entities");
    AppendLine(text, "       (M=Mixed C=CW F=Fone R=Rest)");
    AppendLine(text, std::string(62, '='));
    AppendLine(text, "");
    AppendLine(text, ListHeaderLine());
    AppendLine(text, std::string(103, '-'));

    std::uint32_t checksum = 0;
    const auto count = catalogue.EntityCount();
    for (std::uint16_t e = 1; e <= count; ++e) {
        const EntityRecord& record = catalogue.Entity(e);
        // A MainPrefix repeated by the very next record would make a second line that the
        // reader folds onto the same records anyway: one line per MainPrefix.
        if (e > 1 &&
            record.MainPrefix == catalogue.Entity(static_cast<std::uint16_t>(e - 1)).MainPrefix) {
            continue;
        }
        const auto line =
            FormatEntityLine(ListPrefixOf(record.MainPrefix), record.Name, matrix.Row(e));
        checksum += line.Weight;
        AppendLine(text, line.Text);
    }
    AppendLine(text, "");
    AppendLine(text, "Checksum: " + std::to_string(checksum));
    return text;
}

std::filesystem::path ListFilePath(const std::filesystem::path& directory,
                                   std::string_view callSign)
{
    return directory / PathFromUtf8(std::string(callSign) + std::string(kListExtension));
}

std::optional<std::filesystem::path> ExistingListFile(const std::filesystem::path& directory,
                                                      std::string_view callSign)
{
    // From the listing, not an existence check: on a case-insensitive file system the upper-case
    // name "exists" too, but the file to show and replace is named as it stands on the disk.
    const std::filesystem::path exact = ListFilePath(directory, callSign);
    const std::string exactName = PathToUtf8(exact.filename());
    const std::string wanted = AsciiUpper(exactName);
    std::error_code error;
    std::filesystem::directory_iterator entries(directory, error);
    if (error) {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> found;
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(error)) {
        if (error) {
            break;
        }
        const std::string name = PathToUtf8(entries->path().filename());
        if (name == exactName) {
            return entries->path();
        }
        if (!found && AsciiUpper(name) == wanted) {
            found = entries->path();
        }
    }
    return found;
}

FileWriteResult SaveList(const std::filesystem::path& directory, std::string_view callSign,
                         const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix)
{
    return SaveListTo(ListFilePath(directory, callSign), callSign, catalogue, matrix);
}

FileWriteResult SaveListTo(const std::filesystem::path& file, std::string_view callSign,
                           const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix)
{
    // The call sign is the file name; one that would reach into another folder is refused.
    if (callSign.find_first_of("/\\") != std::string_view::npos ||
        !WriteFileSafely(file, FormatList(callSign, catalogue, matrix))) {
        return WriteFailed(file);
    }
    return file;
}

}  // namespace wendrix
