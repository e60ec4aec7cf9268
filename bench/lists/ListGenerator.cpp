// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListGenerator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <set>
#include <string_view>

#include "lists/SaveList.h"

namespace wendrix::bench {

namespace {

// Prefixes weighted roughly like the members of a European club with guests from abroad.
constexpr std::array<std::pair<std::string_view, int>, 40> kCallPrefixes{{
    {"DL", 30}, {"DK", 12}, {"DJ", 8}, {"DH", 6}, {"DF", 8}, {"DO", 5}, {"DG", 4}, {"DM", 3},
    {"OE", 8},  {"HB9", 6}, {"PA", 5}, {"ON", 4}, {"F", 5},  {"G", 5},  {"M0", 2}, {"I", 4},
    {"IK", 3},  {"EA", 3},  {"SM", 3}, {"OH", 3}, {"OZ", 3}, {"LA", 2}, {"SP", 4}, {"OK", 4},
    {"OM", 2},  {"HA", 3},  {"YO", 2}, {"LZ", 2}, {"S5", 2}, {"9A", 2}, {"UA", 2}, {"UR", 2},
    {"K", 4},   {"W", 4},   {"N", 3},  {"AA", 2}, {"VE", 2}, {"JA", 3}, {"VK", 1}, {"ZL", 1},
}};

// How likely a station that is active on a band has an entity confirmed there, relative to 20 m.
constexpr std::array<double, kListBandCount> kBandUse{0.25, 0.55, 0.75, 0.45, 1.0,
                                                      0.55, 0.85, 0.45, 0.7,  0.2};

std::string RandomCall(std::mt19937& random)
{
    static const std::discrete_distribution<int> pick = [] {
        std::vector<int> weights;
        for (const auto& prefix : kCallPrefixes) {
            weights.push_back(prefix.second);
        }
        return std::discrete_distribution<int>(weights.begin(), weights.end());
    }();
    auto choose = pick;
    std::string call(kCallPrefixes[static_cast<std::size_t>(choose(random))].first);
    if (call.back() < '0' || call.back() > '9') {
        call += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(random));
    }
    const int letters = std::uniform_int_distribution<int>(1, 3)(random);
    for (int i = 0; i < letters; ++i) {
        call += static_cast<char>('A' + std::uniform_int_distribution<int>(0, 25)(random));
    }
    return call;
}

}  // namespace

std::vector<std::string> GenerateCallSigns(std::size_t count, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::set<std::string> seen;
    std::vector<std::string> calls;
    calls.reserve(count);
    while (calls.size() < count) {
        std::string call = RandomCall(random);
        if (seen.insert(call).second) {
            calls.push_back(std::move(call));
        }
    }
    return calls;
}

void GenerateStation(const EntityCatalogue& catalogue, std::uint32_t seed,
                     ConfirmationMatrix& matrix)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int entities = catalogue.EntityCount();

    // How far the station has come: a few newcomers, many middling, some near the top.
    const double level = 0.15 + 0.85 * std::pow(unit(random), 0.6);
    // Mode habits: most work Fone and CW, fewer the digital modes.
    const std::array<double, 3> modeUse{0.3 + 0.7 * unit(random), 0.2 + 0.8 * unit(random),
                                        0.6 * unit(random)};
    std::array<double, kListBandCount> bandUse{};
    for (int b = 0; b < kListBandCount; ++b) {
        bandUse[static_cast<std::size_t>(b)] =
            kBandUse[static_cast<std::size_t>(b)] * (0.4 + 0.6 * unit(random));
    }

    matrix.ClearMatrix();
    for (int e = 1; e <= entities; ++e) {
        // Entities further down the table stand for rarer ones here: a simple rarity ramp,
        // shifted per station so that different stations miss different entities.
        const double rarity =
            std::fmod(static_cast<double>(e) / entities + 0.1 * unit(random), 1.0);
        const double have = level * (1.0 - 0.5 * rarity);
        if (unit(random) > have) {
            continue;
        }
        for (int b = 0; b < kListBandCount; ++b) {
            const double onBand = bandUse[static_cast<std::size_t>(b)] * (0.3 + 0.7 * level);
            for (int m = 0; m < 3; ++m) {
                if (unit(random) < onBand * modeUse[static_cast<std::size_t>(m)]) {
                    (void)matrix.SetCell(e, BandIndex{b}, ModeIndex{m}, CellOperation::Set);
                }
            }
        }
        // Some confirmations only count in the all-bands column (a band outside the plan).
        if (unit(random) < 0.05) {
            (void)matrix.SetCell(e, BandIndex{kAllBands}, ModeIndex{kModeCw}, CellOperation::Set);
        }
    }
}

GeneratedDirectory GenerateListDirectory(const EntityCatalogue& catalogue,
                                         const std::filesystem::path& directory, std::size_t count,
                                         std::uint32_t seed)
{
    GeneratedDirectory result;
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    const auto calls = GenerateCallSigns(count, seed);
    auto matrix = std::make_unique<ConfirmationMatrix>();
    result.Complete = true;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        GenerateStation(catalogue, seed * 7919u + static_cast<std::uint32_t>(i), *matrix);
        const auto saved = SaveList(directory, calls[i], catalogue, *matrix);
        if (!saved) {
            result.Complete = false;
            continue;
        }
        ++result.Files;
        result.Bytes += std::filesystem::file_size(saved.Get(), error);
    }
    return result;
}

}  // namespace wendrix::bench
