#include "lists/LoadList.h"

#include "common/Text.h"
#include "lists/LineReader.h"
#include "lists/ListPrefixTable.h"
#include "matrix/Bands.h"

namespace wendrix {

namespace {

constexpr int kMinimumFields = 14;
constexpr std::size_t kMaxPrefixLength = 20;

struct SeparatorTable
{
    std::array<bool, 256> Is{};
    constexpr SeparatorTable()
    {
        for (const unsigned char c : {'\t', ' ', ',', ':', ';'}) {
            Is[c] = true;
        }
    }
};
constexpr SeparatorTable kSeparators;

[[nodiscard]] bool IsSeparator(char c)
{
    return kSeparators.Is[static_cast<unsigned char>(c)];
}

// Prefixes that were retired or renamed after lists were first written.
[[nodiscard]] bool SubstitutePrefix(std::string_view& prefix)
{
    if (prefix == "ST0") {
        prefix = "Z8";
    } else if (prefix == "R1MV") {
        return false;
    } else if (prefix == "ZK2") {
        prefix = "E6";
    } else if (prefix == "KH5K") {
        return false;
    }
    return true;
}

// Positions 1..4 of a mark group name the classes Mixed, CW, Fone and RTTY.
void SetMarks(std::string_view group, int band, int entity, ConfirmationMatrix& matrix)
{
    const std::size_t positions = group.size() < 4 ? group.size() : 4;
    for (std::size_t k = 0; k < positions; ++k) {
        if (group[k] == kDisplayModeLetters[k]) {
            matrix.WriteCell(entity, band, kDisplayModeOrder[k], 1);
        }
    }
}

}  // namespace

LineFields SplitFields(std::string_view line)
{
    LineFields result;
    std::size_t i = 0;
    const std::size_t size = line.size();
    while (i < size) {
        while (i < size && IsSeparator(line[i])) {
            ++i;
        }
        if (i == size) {
            break;
        }
        if (result.Count == LineFields::kMaxFields) {
            break;
        }
        const std::size_t start = i;
        while (i < size && !IsSeparator(line[i])) {
            ++i;
        }
        auto& field = result.Fields[static_cast<std::size_t>(result.Count++)];
        field.Position = static_cast<std::uint16_t>(start + 1);
        field.Length = static_cast<std::uint16_t>(i - start);
    }
    return result;
}

std::string CallSignOfListFile(std::string_view fileName)
{
    const std::size_t keep = fileName.size() >= 4 ? fileName.size() - 4 : 0;
    return AsciiUpper(fileName.substr(0, keep));
}

ListReader::ListReader(const EntityCatalogue& catalogue) : m_catalogue(catalogue)
{
    const auto count = catalogue.EntityCount();
    for (std::uint16_t e = 1; e <= count; ++e) {
        m_entitiesByPrefix[catalogue.Entity(e).MainPrefix].push_back(e);
    }
    m_buffer.resize(LineReader::kDefaultBufferSize);
}

void ListReader::ApplyLine(std::string_view line, ConfirmationMatrix& matrix, int& found) const
{
    const LineFields fields = SplitFields(line);
    const int n = fields.Count;
    if (n < kMinimumFields) {
        return;
    }
    const std::string_view allGroup = fields.Text(line, n - 10);
    if (allGroup.size() != 4) {
        return;
    }
    std::string_view prefix = fields.Text(line, 1).substr(0, kMaxPrefixLength);
    if (!SubstitutePrefix(prefix)) {
        return;
    }
    prefix = MainPrefixOfListPrefix(prefix);

    const auto match = m_entitiesByPrefix.find(prefix);
    if (match == m_entitiesByPrefix.end()) {
        return;
    }
    // Every record with this MainPrefix takes the marks, not only the first.
    for (const std::uint16_t entity : match->second) {
        ++found;
        SetMarks(allGroup, kAllBands, entity, matrix);
        for (int b = 0; b < kListBandCount; ++b) {
            SetMarks(fields.Text(line, n - 9 + b), b, entity, matrix);
        }
    }
}

ListLoadResult ListReader::Read(std::string_view fileName, ByteSource& source, ListReadMode mode,
                                ConfirmationMatrix& matrix)
{
    ListLoadResult result;
    result.CallSign = CallSignOfListFile(fileName);
    const std::string reportPrefix =
        mode == ListReadMode::Evaluation ? PadRightFixed(result.CallSign, 7) + ": " : std::string();

    LineReader reader(source, m_buffer);
    std::string_view line;
    std::string firstLine;
    if (reader.Next(line)) {
        firstLine = AsciiUpper(Trim(line));
    }
    if (firstLine != result.CallSign) {
        result.ReportLines.push_back(reportPrefix + "Falsches Rufzeichen in Zeile 1");
    }
    while (reader.Next(line)) {
        ApplyLine(line, matrix, result.FoundCount);
    }
    const int entityCount = m_catalogue.EntityCount();
    if (result.FoundCount < entityCount) {
        result.ReportLines.push_back(reportPrefix + "Nur " + std::to_string(result.FoundCount) +
                                     " von " + std::to_string(entityCount) +
                                     " Entities gefunden.");
    }
    return result;
}

ListLoadResult ListReader::LoadList(const std::filesystem::path& directory,
                                    std::string_view fileName, ListReadMode mode,
                                    ConfirmationMatrix& matrix)
{
    // The previous matrix goes before the file is even opened: whatever happens, what is shown
    // afterwards comes from this file alone.
    matrix.ClearMatrix();
    const auto path = directory / std::filesystem::path(fileName);
    FileSource source(path);
    ListLoadResult result = Read(fileName, source, mode, matrix);
    source.Close();
    result.Path = path;
    result.ReadError = source.Failed();
    return result;
}

ListLoadResult ListReader::ReadListBytes(std::string_view fileName, std::string_view bytes,
                                         ListReadMode mode, ConfirmationMatrix& matrix,
                                         std::size_t chunkSize)
{
    matrix.ClearMatrix();
    MemorySource source(bytes, chunkSize);
    ListLoadResult result = Read(fileName, source, mode, matrix);
    result.Path = std::filesystem::path(fileName);
    return result;
}

ListLoadResult LoadList(const std::filesystem::path& directory, std::string_view fileName,
                        ListReadMode mode, const EntityCatalogue& catalogue,
                        ConfirmationMatrix& matrix)
{
    ListReader reader(catalogue);
    return reader.LoadList(directory, fileName, mode, matrix);
}

}  // namespace wendrix
