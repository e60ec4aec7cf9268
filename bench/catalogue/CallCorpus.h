// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/EntityCatalogue.h"
#include "common/Dates.h"

namespace wendrix::bench {

struct CorpusCall
{
    std::string Call;
    DateKey Date = 0;
};

// At least `count` call signs shaped like those in real logs: plain calls, portable prefixes and
// suffixes, /P, /QRP, /MM and /AM, call-area digits. Built from the public list of active calls
// (hamradio-files' MASTER.SCP) when it is installed, otherwise from the catalogue's prefixes;
// the same seed gives the same corpus. Dates are spread over 1985..2025.
[[nodiscard]] std::vector<CorpusCall> MakeCallCorpus(const EntityCatalogue& catalogue,
                                                     std::size_t count, std::uint32_t seed);

}  // namespace wendrix::bench
