// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/ResolveCall.h"

namespace wendrix {

// Resolves calls like ResolveCall, but looks only at the special calls and prefix entries that can
// match the call's first characters (and length), keeping their list order, so the answers are
// identical. Holds a reference to the catalogue, which must outlive it.
class CallResolver
{
public:
    explicit CallResolver(const EntityCatalogue& catalogue);

    [[nodiscard]] ResolutionResult Resolve(std::string_view call, DateKey date,
                                           ResolutionTrace* trace = nullptr) const;

    [[nodiscard]] const EntityCatalogue& Catalogue() const { return m_catalogue; }

private:
    // Lets the table of exact calls be searched with a string_view, without a copy.
    struct TextHash
    {
        using is_transparent = void;
        [[nodiscard]] std::size_t operator()(std::string_view text) const
        {
            return std::hash<std::string_view>{}(text);
        }
    };

    struct Bucket
    {
        std::uint32_t Begin = 0;
        std::uint32_t End = 0;
    };

    const EntityCatalogue& m_catalogue;
    // Patterns without wildcards match one call only: found by the call itself.
    std::unordered_map<std::string, Bucket, TextHash, std::equal_to<>> m_exactSpecials;
    std::vector<std::uint16_t> m_exactIndices;
    // Patterns with wildcards, by (first character, call length) of the calls they can match.
    std::vector<std::uint16_t> m_specialIndices;
    std::vector<Bucket> m_specialBuckets;
    std::vector<std::uint16_t> m_prefixIndices;  // buckets by the first two characters
    std::vector<Bucket> m_prefixBuckets;
    std::vector<std::uint16_t> m_allSpecials;
    std::vector<std::uint16_t> m_allPrefixes;
};

}  // namespace wendrix
