// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EntityCatalogue.h"
#include "common/ReadableFile.h"
#include "common/Result.h"
#include "lists/ListFiles.h"
#include "lists/PrefixLookup.h"
#include "matrix/ConfirmationMatrix.h"

// Reading a survey list file back into the confirmation matrix.
namespace wendrix {

// One field of a line: position of its first character (counted from 1) and its length.
struct LineField
{
    std::uint16_t Position = 0;
    std::uint16_t Length = 0;
};

struct LineFields
{
    static constexpr int kMaxFields = 40;
    std::array<LineField, kMaxFields> Fields{};
    int Count = 0;

    // The text of field number 1..Count.
    [[nodiscard]] std::string_view Text(std::string_view line, int number) const
    {
        const auto& field = Fields[static_cast<std::size_t>(number - 1)];
        return line.substr(field.Position - 1u, field.Length);
    }
};

// Splits a line at tab, blank, ",", ":" and ";" (runs count as one, leading ones are skipped).
// At most 40 fields are recorded; where a 41st would begin, splitting stops.
[[nodiscard]] LineFields SplitFields(std::string_view line);

// Normal: the station's own list; the report lines stand alone.
// Evaluation: one of many lists; each report line starts with the call sign (7 wide) and ": ".
enum class ListReadMode {
    Normal,
    Evaluation
};

// Why a list could not be read completely.
enum class ListReadFailure {
    Unreadable,  // opening or reading failed
};

// What reading a list found. After a read error the problems found before it still stand, so
// the failure is one member beside them, with "Lesefehler in Datei <path>" as its message.
struct ListLoadResult
{
    std::filesystem::path Path;                 // the file that was read
    std::string CallSign;                       // from the file name: without ".CFD", upper case
    std::vector<std::string> ReportLines;       // "Falsches Rufzeichen in Zeile 1", "Nur ..."
    int FoundCount = 0;                         // entity records that a line of the file matched
    Outcome<ListReadFailure> Reading = Done{};  // whether the whole file could be read
    FileKind Kind = FileKind::Regular;          // what the path named; only a regular file is read
    std::string CallInLine1;                    // line 1 trimmed and in upper case
    bool PassedOver = false;                    // the check on line 1 declined the rest of the file
};

// Decides from the call sign in line 1 (trimmed, upper case) whether a list is read on.
using FirstLineCheck = std::function<bool(std::string_view callInLine1)>;

// "Fehler in der Liste " + file name: the caption of the report window in the normal mode.
[[nodiscard]] inline std::string ListReportCaption(std::string_view fileName)
{
    return "Fehler in der Liste " + std::string(fileName);
}

class ByteSource;

// Reads lists against one catalogue. Keeps its prefix lookup and read buffer between files, so
// an evaluation of thousands of lists builds them once.
class ListReader
{
public:
    explicit ListReader(const EntityCatalogue& catalogue);

    // Replaces the whole matrix by the file directory / fileName (a bare name ending in ".CFD").
    // The matrix is cleared first, so after a read error it holds what was read until then.
    // The modified state of the matrix is not touched. A path that names no regular file (a
    // directory, a pipe, ...) is not read: a read error with the entry's Kind.
    // With a check, the matrix is cleared only once the check has accepted line 1; a declined
    // list leaves the matrix as it was and adds no report lines.
    [[nodiscard]] ListLoadResult LoadList(const std::filesystem::path& directory,
                                          std::string_view fileName, ListReadMode mode,
                                          ConfirmationMatrix& matrix,
                                          const FirstLineCheck& readOn = {});

    // The same for file content already in memory, fed to the line reader in pieces of
    // chunkSize bytes (0: all at once). The result's Path is the bare file name.
    [[nodiscard]] ListLoadResult ReadListBytes(std::string_view fileName, std::string_view bytes,
                                               ListReadMode mode, ConfirmationMatrix& matrix,
                                               std::size_t chunkSize = 0);

private:
    [[nodiscard]] ListLoadResult Read(std::string_view fileName, ByteSource& source,
                                      ListReadMode mode, ConfirmationMatrix& matrix,
                                      const FirstLineCheck& readOn);
    void ApplyLine(std::string_view line, ConfirmationMatrix& matrix, int& found) const;

    const EntityCatalogue& m_catalogue;
    // Per prefix as it may stand in a file: the records it names, in table order.
    PrefixLookup m_entitiesByPrefix;
    std::vector<char> m_buffer;
};

// One-off reading with a reader built for this call.
[[nodiscard]] ListLoadResult LoadList(const std::filesystem::path& directory,
                                      std::string_view fileName, ListReadMode mode,
                                      const EntityCatalogue& catalogue, ConfirmationMatrix& matrix);

// The expected call sign of a list file name: the name without its last four characters
// (".CFD"), in upper case.
[[nodiscard]] std::string CallSignOfListFile(std::string_view fileName);

}  // namespace wendrix
