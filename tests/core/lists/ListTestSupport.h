// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EntityCatalogue.h"
#include "matrix/ConfirmationMatrix.h"

namespace wendrix::test {

// A small catalogue in the country-list grammar: 3A, W, UA3, Z8, E6, FT.W, DL, and two
// consecutive entities sharing the MainPrefix "QQ".
[[nodiscard]] EntityCatalogue SmallListCatalogue();

// The entity number of a MainPrefix in the catalogue (the first one), failing the test if absent.
[[nodiscard]] int EntityOf(const EntityCatalogue& catalogue, std::string_view mainPrefix);

// Ticks cells at random (directly, as a list reader would), seeded for repeatable runs.
void FillRandomly(ConfirmationMatrix& matrix, int entityCount, std::uint32_t seed,
                  double density = 0.3);

// Splits a text at CR LF; a text not ending in CR LF gives a last element after the last one.
[[nodiscard]] std::vector<std::string> SplitCrLf(std::string_view text);

}  // namespace wendrix::test
