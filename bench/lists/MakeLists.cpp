// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix-make-lists DIR [COUNT] [SEED]: writes COUNT (default 25) survey list files of invented
// club members into DIR, for demonstrations of the evaluation and for measuring it.
#include <cstdlib>
#include <iostream>
#include <string>

#include "ListGenerator.h"

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: wendrix-make-lists DIR [COUNT] [SEED]\n";
        return 1;
    }
    const std::size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 25;
    const auto seed = static_cast<std::uint32_t>(argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 1);
    if (count == 0 || count > 100000) {
        std::cerr << "wendrix-make-lists: COUNT must be 1..100000\n";
        return 1;
    }
    const wendrix::EntityCatalogue catalogue = wendrix::BuildEntityCatalogue();
    const auto result = wendrix::bench::GenerateListDirectory(catalogue, argv[1], count, seed);
    std::cout << result.Files << " list files, " << result.Bytes << " bytes in " << argv[1] << '\n';
    return result.Complete ? 0 : 2;
}
