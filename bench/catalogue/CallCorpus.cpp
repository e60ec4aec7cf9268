// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CallCorpus.h"

#include <fstream>
#include <random>

#include "common/Text.h"

namespace wendrix::bench {

namespace {

constexpr const char* kMasterScp = "/usr/share/hamradio-files/MASTER.SCP";

std::vector<std::string> ReadBaseCalls()
{
    std::vector<std::string> calls;
    std::ifstream in(kMasterScp);
    std::string line;
    while (std::getline(in, line)) {
        const auto call = Trim(line);
        if (!call.empty() && call[0] != '#') {
            calls.push_back(AsciiUpper(call));
        }
    }
    return calls;
}

std::vector<std::string> SyntheticBaseCalls(const EntityCatalogue& catalogue, std::mt19937& random)
{
    std::vector<std::string> calls;
    std::uniform_int_distribution<int> letter('A', 'Z');
    std::uniform_int_distribution<int> digit('0', '9');
    for (const auto& range : catalogue.PrefixIndex()) {
        for (int i = 0; i < 20; ++i) {
            std::string call = range.LowText();
            if (call.empty() || call.back() < '0' || call.back() > '9') {
                call += static_cast<char>(digit(random));
            }
            for (int k = 0; k < 1 + i % 3; ++k) {
                call += static_cast<char>(letter(random));
            }
            calls.push_back(call);
        }
    }
    return calls;
}

}  // namespace

std::vector<CorpusCall> MakeCallCorpus(const EntityCatalogue& catalogue, std::size_t count,
                                       std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<std::string> base = ReadBaseCalls();
    if (base.empty()) {
        base = SyntheticBaseCalls(catalogue, random);
    }
    std::vector<std::string> prefixes;
    for (const auto& range : catalogue.PrefixIndex()) {
        prefixes.push_back(range.LowText());
    }
    std::uniform_int_distribution<std::size_t> pickBase(0, base.size() - 1);
    std::uniform_int_distribution<std::size_t> pickPrefix(0, prefixes.size() - 1);
    std::uniform_int_distribution<int> shape(0, 99);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> year(1985, 2025);
    std::uniform_int_distribution<int> month(1, 12);
    std::uniform_int_distribution<int> day(1, 28);

    std::vector<CorpusCall> corpus;
    corpus.reserve(count);
    while (corpus.size() < count) {
        std::string call = base[pickBase(random)];
        const int s = shape(random);
        const auto append = [&call](std::string_view suffix) {
            call += '/';
            call += suffix;
        };
        if (s < 60) {
            // plain, as most log entries are
        } else if (s < 70) {
            append("P");
        } else if (s < 78) {
            std::string portable = prefixes[pickPrefix(random)];
            portable += '/';
            portable += call;
            call = std::move(portable);
        } else if (s < 84) {
            append(prefixes[pickPrefix(random)]);
        } else if (s < 90) {
            append(std::to_string(digit(random)));
        } else if (s < 94) {
            append("MM");
        } else if (s < 96) {
            append("AM");
        } else if (s < 98) {
            append("QRP");
        } else {
            append("P/MM");
        }
        corpus.push_back({call, MakeDateKey(year(random), month(random), day(random))});
    }
    return corpus;
}

}  // namespace wendrix::bench
