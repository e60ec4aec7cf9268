// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "catalogue/EntityCatalogue.h"
#include "evaluation/Evaluation.h"
#include "lists/ListFiles.h"

// The result file of the club evaluation, "Wendrix.TXT": the per-mille table of every entity
// and the participants line.
namespace wendrix {

inline constexpr std::size_t kResultHeaderLength = 222;
inline constexpr std::size_t kResultSeparatorLength = 238;
inline constexpr std::size_t kResultEntityLineLength = 229;
inline constexpr std::size_t kResultParticipantsLength = 240;

// The participants line of the result file: how many lists counted for each column.
[[nodiscard]] std::string ResultParticipantsLine(const Evaluation& evaluation);
// The whole result file, the per-mille table of every entity, every line ending in CR LF.
[[nodiscard]] std::string FormatResultFile(const EntityCatalogue& catalogue,
                                           const Evaluation& evaluation);
// Writes directory / "Wendrix.TXT" safely: a failed write leaves the previous result intact.
[[nodiscard]] FileWriteResult SaveResultFile(const std::filesystem::path& directory,
                                             const EntityCatalogue& catalogue,
                                             const Evaluation& evaluation);

}  // namespace wendrix
