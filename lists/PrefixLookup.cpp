// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/PrefixLookup.h"

#include <bit>
#include <utility>

#include "common/ByteSearch.h"

namespace wendrix {

std::uint64_t PrefixLookup::Pack(std::string_view prefix)
{
    return bytes::Load(prefix.data(), prefix.size()) | (std::uint64_t{prefix.size()} << 56);
}

std::size_t PrefixLookup::Home(std::uint64_t key) const
{
    const int bits = std::countr_zero(m_slots.size());
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

void PrefixLookup::Grow()
{
    const std::size_t size = m_slots.empty() ? 64 : 2 * m_slots.size();
    std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(size));
    for (const Slot& slot : old) {
        if (slot.Key == 0) {
            continue;
        }
        std::size_t i = Home(slot.Key);
        while (m_slots[i].Key != 0) {
            i = (i + 1) & (m_slots.size() - 1);
        }
        m_slots[i] = slot;
    }
}

void PrefixLookup::Add(std::string_view prefix, std::span<const std::uint16_t> entities)
{
    if (prefix.empty() || entities.empty() || !Find(prefix).empty()) {
        return;
    }
    const auto first = static_cast<std::uint32_t>(m_entities.size());
    const auto count = static_cast<std::uint32_t>(entities.size());
    m_entities.insert(m_entities.end(), entities.begin(), entities.end());
    if (prefix.size() > kPackedLength) {
        m_long.push_back({std::string(prefix), first, count});
        return;
    }
    // At most half full, so that a search for an absent prefix ends soon.
    if (2 * (m_used + 1) > m_slots.size()) {
        Grow();
    }
    const std::uint64_t key = Pack(prefix);
    std::size_t i = Home(key);
    while (m_slots[i].Key != 0) {
        i = (i + 1) & (m_slots.size() - 1);
    }
    m_slots[i] = {key, first, count};
    ++m_used;
}

std::span<const std::uint16_t> PrefixLookup::Find(std::string_view prefix) const
{
    if (prefix.empty()) {
        return {};
    }
    if (prefix.size() > kPackedLength) {
        for (const LongPrefix& entry : m_long) {
            if (entry.Prefix == prefix) {
                return std::span(m_entities).subspan(entry.First, entry.Count);
            }
        }
        return {};
    }
    if (m_slots.empty()) {
        return {};
    }
    const std::uint64_t key = Pack(prefix);
    for (std::size_t i = Home(key);; i = (i + 1) & (m_slots.size() - 1)) {
        const Slot& slot = m_slots[i];
        if (slot.Key == key) {
            return std::span(m_entities).subspan(slot.First, slot.Count);
        }
        if (slot.Key == 0) {
            return {};
        }
    }
}

}  // namespace wendrix
