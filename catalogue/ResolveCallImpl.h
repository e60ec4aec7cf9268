#pragma once

// The resolution algorithm, shared by the reference ResolveCall (which looks at every special
// call and prefix entry) and CallResolver (which looks only at those that can match). Both hand
// in the sequences to scan; the algorithm itself exists once.
#include <array>
#include <string_view>

#include "catalogue/ResolveCall.h"

namespace wendrix::detail {

inline constexpr std::size_t kCallLength = 15;
inline constexpr std::size_t kPartLength = 6;

// A part of a call: at most 6 characters, copied so that a call-area digit can be put into it.
struct CallPart
{
    std::array<char, kPartLength> Chars{};
    std::size_t Size = 0;

    [[nodiscard]] std::string_view View() const { return {Chars.data(), Size}; }
    void Assign(std::string_view text)
    {
        Size = text.size() < kPartLength ? text.size() : kPartLength;
        for (std::size_t k = 0; k < Size; ++k) {
            Chars[k] = text[k];
        }
    }
};

struct Candidate
{
    std::uint16_t Entity = 0;
    int BlockCount = 0;
    bool TooShort = false;
    bool Resolved = false;
    std::size_t MatchedLength = 0;
};

// The indices 0..count-1, for the reference scan over a whole table.
class AllIndices
{
public:
    explicit AllIndices(std::size_t count) : m_count(count) {}

    class Iterator
    {
    public:
        explicit Iterator(std::size_t index) : m_index(index) {}
        [[nodiscard]] std::size_t operator*() const { return m_index; }
        Iterator& operator++()
        {
            ++m_index;
            return *this;
        }
        [[nodiscard]] bool operator!=(const Iterator& other) const { return m_index != other.m_index; }

    private:
        std::size_t m_index;
    };

    [[nodiscard]] Iterator begin() const { return Iterator(0); }
    [[nodiscard]] Iterator end() const { return Iterator(m_count); }

private:
    std::size_t m_count;
};

[[nodiscard]] inline bool IsPortableDesignator(std::string_view part)
{
    return part == "P" || part == "M" || part == "A" || part == "B" || part == "LT" ||
           part == "LH" || part == "LS" || part == "LGT" || part == "QRP";
}

// SpecialsFor(W) and PrefixesFor(S) return ranges of indices into the special-call list and the
// prefix index, in list order.
template <typename SpecialsFor, typename PrefixesFor>
ResolutionResult ResolveWith(const EntityCatalogue& catalogue, std::string_view call, DateKey date,
                             ResolutionTrace* trace, const SpecialsFor& specialsFor,
                             const PrefixesFor& prefixesFor)
{
    ResolutionResult result;
    if (call.empty()) {
        return result;
    }
    const std::string_view whole = call.substr(0, kCallLength);

    // Splitting at "/": empty runs before a "/" are skipped, the scan stops at a third part.
    std::array<CallPart, 3> parts;
    int partCount = 0;
    bool stopped = false;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (whole[i] != '/') {
            continue;
        }
        if (i > runStart) {
            parts[static_cast<std::size_t>(partCount++)].Assign(whole.substr(runStart, i - runStart));
            if (partCount == 3) {
                stopped = true;
                break;
            }
        }
        runStart = i + 1;
    }
    if (!stopped) {
        parts[static_cast<std::size_t>(partCount++)].Assign(whole.substr(runStart));
    }
    if (trace != nullptr) {
        for (int p = 0; p < partCount; ++p) {
            trace->Parts.emplace_back(parts[static_cast<std::size_t>(p)].View());
        }
    }
    const auto part = [&parts](int number) -> CallPart& {
        return parts[static_cast<std::size_t>(number - 1)];
    };

    int n = partCount;
    bool mobile = false;
    if (part(n).View() == "MM" || part(n).View() == "AM") {
        mobile = true;
        --n;
        if (trace != nullptr) {
            trace->Mobile = true;
        }
        if (n == 0) {
            return result;
        }
    }
    if (n > 2) {
        n = 2;
    }
    if (part(n).Size == 0) {
        --n;
        if (n == 0) {
            return result;
        }
    }
    if (n == 2 && IsPortableDesignator(part(2).View())) {
        n = 1;
        if (trace != nullptr) {
            trace->PortableDropped = true;
        }
    }
    int candidateCount = n;
    if (n == 2 && part(2).Size == 1 && part(2).Chars[0] >= '0' && part(2).Chars[0] <= '9') {
        const char digit = part(2).Chars[0];
        if (trace != nullptr) {
            trace->CallAreaDigit = true;
        }
        const char first = whole[0];
        if (first == 'K' || first == 'W' || first == 'N' || first == 'A') {
            const char area[2] = {'W', digit};
            part(2).Assign(std::string_view(area, 2));
        } else {
            candidateCount = 1;
            CallPart& home = part(1);
            std::size_t position = 1;
            while (position < home.Size && (home.Chars[position] < '0' || home.Chars[position] > '9')) {
                ++position;
            }
            if (position == 1 && position + 1 < home.Size && home.Chars[2] >= '0' &&
                home.Chars[2] <= '9') {
                position = 2;
            }
            if (position < home.Size) {
                home.Chars[position] = digit;
            }
        }
    }

    // The special calls are matched against the whole call, so their answer is the same for
    // every candidate: look it up once.
    int specialIndex = -1;
    {
        std::size_t lastLength = 0;
        const auto specials = catalogue.SpecialCallList();
        for (const auto index : specialsFor(whole)) {
            const SpecialCall& special = specials[index];
            if (!special.IsValidOn(date) || !MatchCallPattern(whole, special.Pattern)) {
                continue;
            }
            const std::size_t length = SignificantLength(special.Pattern);
            if (length < lastLength) {
                continue;
            }
            lastLength = length;
            specialIndex = static_cast<int>(index);
            if (special.Entity == 0) {
                if (trace != nullptr) {
                    trace->DeclaredInvalidBy = specialIndex;
                }
                result.Status = ResolutionStatus::NoEntity;
                return result;
            }
        }
    }

    std::array<Candidate, 2> candidates{};
    const auto entities = catalogue.Entities();
    const auto prefixes = catalogue.PrefixIndex();
    const auto validEntity = [&](std::uint16_t e) {
        return e >= 1 && e <= entities.size() && entities[e - 1u].IsValidOn(date);
    };
    for (int c = 0; c < candidateCount; ++c) {
        Candidate& candidate = candidates[static_cast<std::size_t>(c)];
        const std::string_view s = part(c + 1).View();
        const std::size_t m = s.size() < 4 ? s.size() : 4;
        CandidateTrace step;
        step.Text = std::string(s);
        if (specialIndex >= 0) {
            candidate.Entity = catalogue.SpecialCallList()[static_cast<std::size_t>(specialIndex)].Entity;
            candidate.BlockCount = 1;
            candidate.Resolved = true;
            step.SpecialCall = specialIndex;
        } else {
            bool acceptedViaPrefix = false;
            for (const auto index : prefixesFor(s)) {
                const PrefixRange& range = prefixes[index];
                if (!range.Matches(s)) {
                    continue;
                }
                const std::uint16_t e = range.FirstEntity;
                if (e == 0 || e > entities.size()) {
                    continue;
                }
                const EntityRecord& record = entities[e - 1u];
                if (record.IsValidOn(date)) {
                    candidate.Entity = e;
                    candidate.BlockCount = range.BlockSize;
                    const std::size_t base = record.BasePrefixLength < 4 ? record.BasePrefixLength : 4;
                    if (base <= m) {
                        candidate.TooShort = false;
                        candidate.Resolved = true;
                        acceptedViaPrefix = true;
                        step.PrefixEntry = static_cast<int>(index);
                        step.PrefixEntity = e;
                        break;
                    }
                    candidate.TooShort = true;
                } else {
                    const std::uint16_t predecessor = catalogue.FindEntityByPrefix(record.Predecessor);
                    if (predecessor != 0) {
                        candidate.Entity = predecessor;
                        candidate.BlockCount = 1;
                        candidate.TooShort = false;
                        candidate.Resolved = true;
                        step.PrefixEntry = static_cast<int>(index);
                        step.PrefixEntity = e;
                        step.ViaPredecessor = true;
                        break;
                    }
                }
            }
            step.BlockSizeFound = candidate.BlockCount;
            if (acceptedViaPrefix && candidate.BlockCount > 1) {
                for (int k = candidate.BlockCount - 1; k >= 1; --k) {
                    if (validEntity(static_cast<std::uint16_t>(candidate.Entity + k))) {
                        break;
                    }
                    candidate.BlockCount = k;
                }
            }
        }
        if (candidate.Resolved) {
            const std::string& mainPrefix = entities[candidate.Entity - 1u].MainPrefix;
            candidate.MatchedLength = mainPrefix.size();
            if (candidate.BlockCount > 1 && mainPrefix.size() == m && s.substr(0, m) == mainPrefix) {
                candidate.BlockCount = 1;
            }
        }
        if (trace != nullptr) {
            step.BlockSizeAfterTrim = candidate.BlockCount;
            step.TooShort = candidate.TooShort;
            step.Entity = candidate.Resolved ? candidate.Entity : 0;
            step.MatchedLength = static_cast<int>(candidate.MatchedLength);
            step.Rest = static_cast<int>(s.size()) - static_cast<int>(candidate.MatchedLength);
            trace->Candidates.push_back(std::move(step));
        }
    }

    int chosen = 0;
    if (candidateCount == 2 && candidates[1].Resolved) {
        const auto rest1 = static_cast<long>(part(1).Size) - static_cast<long>(candidates[0].MatchedLength);
        const auto rest2 = static_cast<long>(part(2).Size) - static_cast<long>(candidates[1].MatchedLength);
        if (rest1 > rest2 || (rest1 == rest2 && part(1).Size > part(2).Size)) {
            chosen = 1;
        }
    }
    if (!candidates[0].Resolved && part(1).View().substr(0, 2) == "PJ") {
        chosen = 0;
    }
    if (trace != nullptr) {
        trace->Chosen = chosen;
    }

    const Candidate& winner = candidates[static_cast<std::size_t>(chosen)];
    if (!winner.Resolved) {
        result.Status = winner.TooShort ? ResolutionStatus::NotResolved : ResolutionStatus::NoEntity;
        return result;
    }
    result.Entity = winner.Entity;
    result.MainPrefix = entities[winner.Entity - 1u].MainPrefix;
    result.CandidateCount = static_cast<std::uint16_t>(winner.BlockCount);
    if (mobile) {
        result.Status = ResolutionStatus::Mobile;
    } else if (winner.BlockCount >= 2) {
        result.Status = ResolutionStatus::Ambiguous;
    } else if (n == 2) {
        result.Status = ResolutionStatus::ResolvedTwoPart;
    } else {
        result.Status = ResolutionStatus::Resolved;
    }
    return result;
}

}  // namespace wendrix::detail
