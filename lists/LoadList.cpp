// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/LoadList.h"

#include <algorithm>
#include <bit>
#include <unordered_map>

#include "common/Text.h"
#include "common/ByteSearch.h"
#include "lists/LineReader.h"
#include "lists/ListPrefixTable.h"
#include "matrix/Bands.h"
#include "common/Utf8Path.h"

namespace wendrix {

namespace {

constexpr int kMinimumFields = 14;
constexpr std::size_t kMaxPrefixLength = 20;

// One bit per byte of up to eight bytes: set where the byte belongs to a field, that is where it
// is none of the separators tab, blank, ",", ":" and ";".
[[nodiscard]] std::uint8_t FieldBytes(const char* data, std::size_t count)
{
    using bytes::kOnes;
    using bytes::NonZero;
    const std::uint64_t word = bytes::Load(data, count);
    // ":" (58) and ";" (59) differ only in the lowest bit: one comparison covers both.
    const std::uint64_t keep = NonZero(word ^ (kOnes * '\t')) & NonZero(word ^ (kOnes * ' ')) &
                               NonZero(word ^ (kOnes * ',')) &
                               NonZero((word | kOnes) ^ (kOnes * ';'));
    const auto bits = bytes::GatherHighBits(keep);
    return count >= 8 ? bits : static_cast<std::uint8_t>(bits & ((1u << count) - 1u));
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

// Positions 1..4 of a mark group name the classes Mixed, CW, Fone and RTTY; only the class's own
// letter at its own position sets the cell.
void SetMarks(const char* group, std::size_t length, int band, int entity,
              ConfirmationMatrix& matrix)
{
    constexpr std::uint64_t kLetters = 'M' | ('C' << 8) | ('F' << 16) | ('R' << 24);
    constexpr std::uint64_t kEmpty = '-' | ('-' << 8) | ('-' << 16) | ('-' << 24);
    const std::size_t positions = length < 4 ? length : 4;
    const std::uint64_t word = bytes::Load(group, positions);
    if (word == kEmpty) {
        return;  // "----", by far the most common group
    }
    // Bytes equal to the expected letter; positions beyond the group never match.
    unsigned hits =
        static_cast<std::uint8_t>(~bytes::GatherHighBits(bytes::NonZero(word ^ kLetters)));
    hits &= (1u << positions) - 1u;
    while (hits != 0) {
        const auto k = static_cast<std::size_t>(std::countr_zero(hits));
        hits &= hits - 1;
        matrix.WriteCell(entity, BandIndex{band}, ModeIndex{kDisplayModeOrder[k]}, 1);
    }
}

}  // namespace

LineFields SplitFields(std::string_view line)
{
    // The line is looked at 64 bytes at a time: one bit per byte tells whether it belongs to a
    // field; fields begin where a set bit follows a clear one and end at the next clear bit.
    // This avoids a branch per byte, which costs more than anything else when thousands of
    // lists are read.
    LineFields result;
    const std::size_t size = std::min<std::size_t>(line.size(), 0xFFFF);
    std::uint64_t carry = 0;  // whether the byte before the block belongs to a field
    std::size_t start = 0;
    const auto record = [&](std::size_t end) {
        auto& field = result.Fields[static_cast<std::size_t>(result.Count++)];
        field.Position = static_cast<std::uint16_t>(start + 1);
        field.Length = static_cast<std::uint16_t>(end - start);
    };
    for (std::size_t base = 0; base < size; base += 64) {
        const std::size_t count = std::min<std::size_t>(64, size - base);
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < count; i += 8) {
            word |= static_cast<std::uint64_t>(FieldBytes(line.data() + base + i, count - i)) << i;
        }
        const std::uint64_t before = (word << 1) | carry;
        std::uint64_t starts = word & ~before;
        // A bit after the last byte of a short block ends a field that runs to the line's end.
        std::uint64_t ends = ~word & before;
        if (carry != 0 && ends != 0) {
            record(base + static_cast<std::size_t>(std::countr_zero(ends)));
            ends &= ends - 1;
        }
        carry = word >> 63;
        // Beginnings and ends alternate; an end missing in this block comes in a later one.
        while (starts != 0) {
            if (result.Count == LineFields::kMaxFields) {
                return result;  // a 41st field would begin here
            }
            start = base + static_cast<std::size_t>(std::countr_zero(starts));
            starts &= starts - 1;
            if (ends == 0) {
                break;
            }
            record(base + static_cast<std::size_t>(std::countr_zero(ends)));
            ends &= ends - 1;
        }
    }
    if (carry != 0) {
        record(size);
    }
    return result;
}

std::string CallSignOfListFile(std::string_view fileName)
{
    const std::size_t keep = fileName.size() >= 4 ? fileName.size() - 4 : 0;
    return AsciiUpper(fileName.substr(0, keep));
}

ListReader::ListReader(const EntityCatalogue& catalogue)
    : m_catalogue(catalogue)
{
    std::unordered_map<std::string_view, std::vector<std::uint16_t>> byMainPrefix;
    const auto count = catalogue.EntityCount();
    for (std::uint16_t e = 1; e <= count; ++e) {
        byMainPrefix[catalogue.Entity(e).MainPrefix].push_back(e);
    }
    // Every prefix a line can carry that leads to records: the MainPrefixes themselves, the
    // list-file forms of the table and the two renamed prefixes. Each goes through the same
    // steps a line's prefix goes through, so that reading needs a single lookup per line.
    std::vector<std::string_view> candidates;
    for (const auto& entry : byMainPrefix) {
        candidates.push_back(entry.first);
    }
    for (const auto& pair : kListPrefixTable) {
        candidates.push_back(pair.ListPrefix);
    }
    candidates.push_back("ST0");
    candidates.push_back("ZK2");
    for (const std::string_view candidate : candidates) {
        std::string_view prefix = candidate;
        if (!SubstitutePrefix(prefix)) {
            continue;
        }
        const auto match = byMainPrefix.find(MainPrefixOfListPrefix(prefix));
        if (match != byMainPrefix.end()) {
            m_entitiesByPrefix.Add(candidate, match->second);
        }
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
    // Renamed, retired and list-file prefixes were resolved when the reader was built.
    const std::string_view prefix = fields.Text(line, 1).substr(0, kMaxPrefixLength);
    // Every record with this MainPrefix takes the marks, not only the first.
    for (const std::uint16_t entity : m_entitiesByPrefix.Find(prefix)) {
        ++found;
        SetMarks(allGroup.data(), allGroup.size(), kAllBands, entity, matrix);
        for (int b = 0; b < kListBandCount; ++b) {
            const LineField& group = fields.Fields[static_cast<std::size_t>(n - 10 + b)];
            SetMarks(line.data() + group.Position - 1, group.Length, b, entity, matrix);
        }
    }
}

ListLoadResult ListReader::Read(std::string_view fileName, ByteSource& source, ListReadMode mode,
                                ConfirmationMatrix& matrix, const FirstLineCheck& readOn)
{
    ListLoadResult result;
    result.CallSign = CallSignOfListFile(fileName);
    const std::string reportPrefix =
        mode == ListReadMode::Evaluation ? PadRightFixed(result.CallSign, 7) + ": " : std::string();

    LineReader reader(source, m_buffer);
    std::string_view line;
    if (reader.Next(line)) {
        result.CallInLine1 = AsciiUpper(Trim(line));
    }
    if (readOn) {
        if (!readOn(result.CallInLine1)) {
            result.PassedOver = true;
            return result;
        }
        matrix.ClearMatrix();
    }
    if (result.CallInLine1 != result.CallSign) {
        result.ReportLines.push_back(reportPrefix + "Falsches Rufzeichen in Zeile 1");
    }
    while (reader.Next(line)) {
        ApplyLine(line, matrix, result.FoundCount);
    }
    const int entityCount = m_catalogue.EntityCount();
    if (result.FoundCount < entityCount) {
        result.ReportLines.push_back(reportPrefix + "Nur " + std::to_string(result.FoundCount) +
                                     " von " + std::to_string(entityCount) + " Entities gefunden.");
    }
    return result;
}

ListLoadResult ListReader::LoadList(const std::filesystem::path& directory,
                                    std::string_view fileName, ListReadMode mode,
                                    ConfirmationMatrix& matrix, const FirstLineCheck& readOn)
{
    // The previous matrix goes before the file is even opened: whatever happens, what is shown
    // afterwards comes from this file alone. (With a check, Read clears it once line 1 is
    // accepted; an unreadable file has an empty line 1.)
    if (!readOn) {
        matrix.ClearMatrix();
    }
    const auto path = directory / PathFromUtf8(fileName);
    FileSource source(path);
    ListLoadResult result = Read(fileName, source, mode, matrix, readOn);
    source.Close();
    result.Path = path;
    if (source.Failed()) {
        result.Reading = Fail(ListReadFailure::Unreadable, ReadErrorText(path));
    }
    result.Kind = source.Kind();
    return result;
}

ListLoadResult ListReader::ReadListBytes(std::string_view fileName, std::string_view bytes,
                                         ListReadMode mode, ConfirmationMatrix& matrix,
                                         std::size_t chunkSize)
{
    matrix.ClearMatrix();
    MemorySource source(bytes, chunkSize);
    ListLoadResult result = Read(fileName, source, mode, matrix, {});
    result.Path = PathFromUtf8(fileName);
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
