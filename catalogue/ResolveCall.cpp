// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ResolveCall.h"

#include "catalogue/ResolveCallImpl.h"

namespace wendrix {

namespace {

// The indices 0..count-1, for the reference scan over a whole table.
class AllIndices
{
public:
    explicit AllIndices(std::size_t count)
        : m_count(count)
    {
    }

    class Iterator
    {
    public:
        explicit Iterator(std::size_t index)
            : m_index(index)
        {
        }
        [[nodiscard]] std::size_t operator*() const { return m_index; }
        Iterator& operator++()
        {
            ++m_index;
            return *this;
        }
        [[nodiscard]] bool operator!=(const Iterator& other) const
        {
            return m_index != other.m_index;
        }

    private:
        std::size_t m_index;
    };

    [[nodiscard]] Iterator begin() const { return Iterator(0); }
    [[nodiscard]] Iterator end() const { return Iterator(m_count); }

private:
    std::size_t m_count;
};

}  // namespace

bool MatchCallPattern(std::string_view call, std::string_view pattern)
{
    std::size_t n = pattern.size();
    if (n > 0 && pattern[n - 1] == '*') {
        --n;
        if (call.size() < n) {
            return false;
        }
    } else if (call.size() != n) {
        return false;
    }
    for (std::size_t k = 0; k < n; ++k) {
        const char p = pattern[k];
        if (p == '?') {
            if (call[k] == '/') {
                return false;
            }
        } else if (p != call[k]) {
            return false;
        }
    }
    return true;
}

std::size_t SignificantLength(std::string_view pattern)
{
    std::size_t n = pattern.size();
    while (n > 0 && (pattern[n - 1] == '?' || pattern[n - 1] == '*')) {
        --n;
    }
    return n;
}

std::string_view StatusName(ResolutionStatus status)
{
    switch (status) {
    case ResolutionStatus::Resolved:
        return "resolved";
    case ResolutionStatus::NotResolved:
        return "not resolved";
    case ResolutionStatus::ResolvedTwoPart:
        return "resolved (two parts)";
    case ResolutionStatus::Ambiguous:
        return "ambiguous";
    case ResolutionStatus::Mobile:
        return "maritime/aeronautical mobile";
    case ResolutionStatus::NoEntity:
        return "no entity";
    }
    return "unknown";
}

ResolutionResult ResolveCall(const EntityCatalogue& catalogue, std::string_view call, DateKey date,
                             ResolutionTrace* trace)
{
    const std::size_t specialCount = catalogue.SpecialCallList().size();
    const std::size_t prefixCount = catalogue.PrefixIndex().size();
    return detail::ResolveWith(
        catalogue, call, date, trace,
        [specialCount](std::string_view) { return AllIndices(specialCount); },
        [prefixCount](std::string_view) { return AllIndices(prefixCount); });
}

}  // namespace wendrix
