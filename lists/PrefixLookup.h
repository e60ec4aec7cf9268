// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A fixed lookup from short prefixes to lists of entity numbers, built once and read for every
// line of every list file: open addressing on the prefix bytes packed into one word.
namespace wendrix {

class PrefixLookup
{
public:
    // Adds the entities for a prefix (before the first Find). A prefix added twice keeps the
    // first entities.
    void Add(std::string_view prefix, std::span<const std::uint16_t> entities);

    // The entities of the prefix, empty if it has none.
    [[nodiscard]] std::span<const std::uint16_t> Find(std::string_view prefix) const;

private:
    static constexpr std::size_t kPackedLength = 7;

    struct Slot
    {
        std::uint64_t Key = 0;    // 0: free
        std::uint32_t First = 0;  // into m_entities
        std::uint32_t Count = 0;
    };
    struct LongPrefix
    {
        std::string Prefix;
        std::uint32_t First = 0;
        std::uint32_t Count = 0;
    };

    // Up to seven bytes and the length in one word; no two prefixes share a key.
    [[nodiscard]] static std::uint64_t Pack(std::string_view prefix);
    [[nodiscard]] std::size_t Home(std::uint64_t key) const;
    void Grow();

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
    std::vector<LongPrefix> m_long;  // prefixes too long to pack (none in practice)
    std::vector<std::uint16_t> m_entities;
};

}  // namespace wendrix
