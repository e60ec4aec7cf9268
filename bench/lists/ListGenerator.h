// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/EntityCatalogue.h"
#include "matrix/ConfirmationMatrix.h"

// Survey list files as club members would send them in: call signs of many countries as file
// names, from a few dozen confirmed entities to nearly all, with the usual band and mode habits.
namespace wendrix::bench {

struct GeneratedDirectory
{
    std::size_t Files = 0;
    std::uintmax_t Bytes = 0;
    bool Complete = false;  // every file was written
};

// Distinct, plausible call signs ("DL4ABC", "K1XY", "9A2ZZ"), the same for the same seed.
[[nodiscard]] std::vector<std::string> GenerateCallSigns(std::size_t count, std::uint32_t seed);

// Fills the matrix with the confirmations of one station (through SetCell, so the Mixed and
// all-bands cells follow as in the program); the seed decides the station's habits.
void GenerateStation(const EntityCatalogue& catalogue, std::uint32_t seed,
                     ConfirmationMatrix& matrix);

// Writes `count` list files CALL.CFD into the directory (created if needed).
[[nodiscard]] GeneratedDirectory GenerateListDirectory(const EntityCatalogue& catalogue,
                                                       const std::filesystem::path& directory,
                                                       std::size_t count, std::uint32_t seed);

}  // namespace wendrix::bench
