// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/EntityCatalogue.h"
#include "lists/ListFiles.h"
#include "matrix/ConfirmationMatrix.h"

// Writing the survey list file: the station's matrix as a fixed-width text closed by a weighted
// checksum, one line per entity with the marks of the all-bands column and of 160 m to 6 m.
namespace wendrix {

inline constexpr std::size_t kListHeaderLength = 104;
inline constexpr std::size_t kListEntityLineLength = 105;
inline constexpr std::size_t kListPrefixWidth = 7;
inline constexpr std::size_t kListNameWidth = 32;

// Four characters for one column: "M", "C", "F", "R" where the Mixed, CW, Fone and RTTY cell is
// ticked, "-" elsewhere.
[[nodiscard]] std::string MarkGroup(const ConfirmationMatrix::CellRow& row, int band);

// The checksum weight of one mark letter: bands 0..9 weigh 4b + 8 (M), 4b + 5 (C), 4b + 6 (F),
// 4b + 7 (R); the all-bands column weighs like 6 m.
[[nodiscard]] std::uint32_t MarkWeight(int band, int mode);

// The column header of the file (line 7), 104 characters.
[[nodiscard]] std::string ListHeaderLine();

struct ListEntityLine
{
    std::string Text;          // 105 characters, without the line break
    std::uint32_t Weight = 0;  // what the line adds to the checksum
};
// One entity line; listPrefix is the prefix as written in the file (already translated).
[[nodiscard]] ListEntityLine FormatEntityLine(std::string_view listPrefix, std::string_view name,
                                              const ConfirmationMatrix::CellRow& row);

// The whole file text, every line ending in CR LF.
[[nodiscard]] std::string FormatList(std::string_view callSign, const EntityCatalogue& catalogue,
                                     const ConfirmationMatrix& matrix);

// directory / (callSign + ".CFD")
[[nodiscard]] std::filesystem::path ListFilePath(const std::filesystem::path& directory,
                                                 std::string_view callSign);

// The list of the call sign already in the directory, whatever the case of its name
// ("k9cts.cfd" for K9CTS): the name written exactly as ListFilePath would is preferred. None when
// the directory holds no such file. The start-up finds lists in any case, so the save must too, or
// a second file of the same station would appear beside the first.
[[nodiscard]] std::optional<std::filesystem::path>
ExistingListFile(const std::filesystem::path& directory, std::string_view callSign);

// Writes the list safely: a failed write leaves the previous file untouched. A call sign with a
// path separator is refused (not written). Does not change the modified state of the matrix;
// that is the save flow's decision.
[[nodiscard]] FileWriteResult SaveList(const std::filesystem::path& directory,
                                       std::string_view callSign, const EntityCatalogue& catalogue,
                                       const ConfirmationMatrix& matrix);
// The same into a given file of the directory (an earlier list whose name differs in case).
[[nodiscard]] FileWriteResult SaveListTo(const std::filesystem::path& file,
                                         std::string_view callSign,
                                         const EntityCatalogue& catalogue,
                                         const ConfirmationMatrix& matrix);

}  // namespace wendrix
