// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListTestSupport.h"

#include <array>

#include <gtest/gtest.h>

namespace wendrix::test {

EntityCatalogue SmallListCatalogue()
{
    static constexpr std::array<std::string_view, 26> kLines{
        "=== Test list for the survey list file",
        "3A                 : 3A     EU  14   27\t4373 740\t260",
        "Monaco",
        "",
        "K W N              : W      NA  5    8\t4000 -9000\t291",
        "United States of America",
        "",
        "UA-UI              : UA3    EU  16   29\t5500 3700\t54",
        "European Russia",
        "",
        "Z8                 : Z8     AF  34   48\t500 3000\t521\t20110714-",
        "South Sudan",
        "",
        "E6                 : E6     OC  32   62\t-1900 -16990\t188",
        "Niue",
        "",
        "FT5W               : FT.W   AF  39   68\t-4640 5180\t41",
        "Crozet I.",
        "",
        "DA-DR              : DL     EU  14   28\t5100 1000\t230",
        "Fed. Rep. of Germany",
        "",
        "QQ1                : QQ     EU  14   28\t0 0\t900",
        "Twin One",
        "\t\t   : QQ     EU  14   28\t0 0\t901",
        "Twin Two",
    };
    return BuildEntityCatalogue(kLines);
}

int EntityOf(const EntityCatalogue& catalogue, std::string_view mainPrefix)
{
    for (std::uint16_t e = 1; e <= catalogue.EntityCount(); ++e) {
        if (catalogue.Entity(e).MainPrefix == mainPrefix) {
            return e;
        }
    }
    ADD_FAILURE() << "no entity " << mainPrefix;
    return 0;
}

void FillRandomly(ConfirmationMatrix& matrix, int entityCount, std::uint32_t seed, double density)
{
    std::mt19937 random(seed);
    std::bernoulli_distribution tick(density);
    for (int e = 1; e <= entityCount; ++e) {
        for (int b = 0; b < kBandCount; ++b) {
            for (int m = 0; m < kModeCount; ++m) {
                if (tick(random)) {
                    matrix.WriteCell(e, BandIndex{b}, ModeIndex{m}, 1);
                }
            }
        }
    }
}

std::vector<std::string> SplitCrLf(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace wendrix::test
