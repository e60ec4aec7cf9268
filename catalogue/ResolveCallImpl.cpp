// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of a resolution that do not scan a table: reading the shape of the call, weighing a
// matching prefix entry, finishing and choosing candidates, the result and the explanation.
#include "catalogue/ResolveCallImpl.h"

#include <string>

namespace wendrix::detail {

namespace {

[[nodiscard]] bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

[[nodiscard]] bool IsMobileSuffix(std::string_view part)
{
    return part == "MM" || part == "AM";
}

[[nodiscard]] bool IsPortableDesignator(std::string_view part)
{
    return part == "P" || part == "M" || part == "A" || part == "B" || part == "LT" ||
           part == "LH" || part == "LS" || part == "LGT" || part == "QRP";
}

// Each non-empty run before a "/" is a part; the scan stops once a third part is stored there.
// Otherwise the rest of the call is the last part, empty when the call ends with "/".
void SplitAtSlashes(std::string_view whole, CallShape& shape)
{
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (whole[i] != '/') {
            continue;
        }
        if (i > runStart) {
            shape.Parts[static_cast<std::size_t>(shape.PartCount++)].Assign(
                whole.substr(runStart, i - runStart));
            if (shape.PartCount == static_cast<int>(kMaxParts)) {
                return;
            }
        }
        runStart = i + 1;
    }
    shape.Parts[static_cast<std::size_t>(shape.PartCount++)].Assign(whole.substr(runStart));
}

// The number of parts that still count after a mobile suffix, a third part, an empty last part
// and a portable designator were set aside; 0 when none is left.
[[nodiscard]] int CountSignificantParts(CallShape& shape)
{
    const auto part = [&shape](int number) -> const CallPart& {
        return shape.Parts[static_cast<std::size_t>(number - 1)];
    };
    int n = shape.PartCount;
    if (IsMobileSuffix(part(n).View())) {
        shape.Mobile = true;
        if (--n == 0) {
            return 0;
        }
    }
    if (n > 2) {
        n = 2;
    }
    if (part(n).Size == 0) {
        if (--n == 0) {
            return 0;
        }
    }
    if (n == 2 && IsPortableDesignator(part(2).View())) {
        shape.PortableDropped = true;
        n = 1;
    }
    return n;
}

// DL1ABC/8 is resolved as DL8ABC: the digit replaces the first digit from the second character
// on, or the third character when the second and third are both digits (S51ABC/3 as S53ABC).
void PutCallAreaDigit(CallPart& home, char digit)
{
    std::size_t position = 1;
    while (position < home.Size && !IsDigit(home.Chars[position])) {
        ++position;
    }
    if (position == 1 && position + 1 < home.Size && IsDigit(home.Chars[2])) {
        position = 2;
    }
    if (position < home.Size) {
        home.Chars[position] = digit;
    }
}

// A single digit as second part names a call area. Calls beginning with K, W, N or A also try
// the USA's area ("W" and the digit) as a second candidate; other calls take the digit into
// their first part and have one candidate.
void ApplyCallAreaDigit(std::string_view whole, CallShape& shape)
{
    const char digit = shape.Candidates[1].Chars[0];
    shape.CallAreaDigit = true;
    const char first = whole[0];
    if (first == 'K' || first == 'W' || first == 'N' || first == 'A') {
        const char area[2] = {'W', digit};
        shape.Candidates[1].Assign(std::string_view(area, 2));
    } else {
        shape.CandidateCount = 1;
        PutCallAreaDigit(shape.Candidates[0], digit);
    }
}

[[nodiscard]] bool IsValidEntity(std::span<const EntityRecord> entities, std::uint32_t number,
                                 DateKey date)
{
    return number >= 1 && number <= entities.size() && entities[number - 1u].IsValidOn(date);
}

// Drops the block's later entities that are not valid on the date, from the last backwards.
void TrimBlock(std::span<const EntityRecord> entities, DateKey date, Candidate& candidate)
{
    for (int k = candidate.BlockCount - 1; k >= 1; --k) {
        if (IsValidEntity(entities, candidate.Entity + static_cast<std::uint32_t>(k), date)) {
            return;
        }
        candidate.BlockCount = k;
    }
}

[[nodiscard]] CandidateTrace TraceOf(const Candidate& candidate, std::string_view text)
{
    CandidateTrace step;
    step.Text = std::string(text);
    step.SpecialCall = candidate.SpecialCall;
    step.PrefixEntry = candidate.PrefixEntry;
    step.ViaPredecessor = candidate.ViaPredecessor;
    step.PrefixEntity = candidate.PrefixEntity;
    step.BlockSizeFound = candidate.BlockSizeFound;
    step.BlockSizeAfterTrim = candidate.BlockCount;
    step.TooShort = candidate.TooShort;
    step.Entity = candidate.Resolved ? candidate.Entity : 0;
    step.MatchedLength = static_cast<int>(candidate.MatchedLength);
    step.Rest = static_cast<int>(text.size()) - static_cast<int>(candidate.MatchedLength);
    return step;
}

}  // namespace

void ShapeCall(std::string_view whole, CallShape& shape)
{
    SplitAtSlashes(whole, shape);
    shape.SignificantParts = CountSignificantParts(shape);
    shape.CandidateCount = shape.SignificantParts;
    for (int c = 0; c < shape.CandidateCount; ++c) {
        shape.Candidates[static_cast<std::size_t>(c)] = shape.Parts[static_cast<std::size_t>(c)];
    }
    const CallPart& second = shape.Candidates[1];
    if (shape.SignificantParts == 2 && second.Size == 1 && IsDigit(second.Chars[0])) {
        ApplyCallAreaDigit(whole, shape);
    }
}

bool TryPrefixEntry(const EntityCatalogue& catalogue, std::size_t index, std::size_t textLength,
                    DateKey date, Candidate& candidate)
{
    const auto entities = catalogue.Entities();
    const std::uint16_t e = catalogue.PrefixIndex()[index].FirstEntity;
    if (e == 0 || e > entities.size()) {
        return false;
    }
    const EntityRecord& record = entities[e - 1u];
    if (record.IsValidOn(date)) {
        candidate.Entity = e;
        candidate.BlockCount = catalogue.PrefixIndex()[index].BlockSize;
        // A call shorter than the entity's prefix before its "/" or "." does not reach it.
        const std::size_t compared = textLength < 4 ? textLength : 4;
        const std::size_t base = record.BasePrefixLength < 4 ? record.BasePrefixLength : 4;
        candidate.TooShort = base > compared;
        if (candidate.TooShort) {
            return false;
        }
    } else {
        // Before the entity existed its area counted for the predecessor, if it has one.
        const std::uint16_t predecessor = catalogue.FindEntityByPrefix(record.Predecessor);
        if (predecessor == 0) {
            return false;
        }
        candidate.Entity = predecessor;
        candidate.BlockCount = 1;
        candidate.TooShort = false;
        candidate.ViaPredecessor = true;
    }
    candidate.Resolved = true;
    candidate.PrefixEntry = static_cast<int>(index);
    candidate.PrefixEntity = e;
    return true;
}

void TakeSpecialCall(const EntityCatalogue& catalogue, int special, Candidate& candidate)
{
    candidate.Entity = catalogue.SpecialCallList()[static_cast<std::size_t>(special)].Entity;
    candidate.BlockCount = 1;
    candidate.Resolved = true;
    candidate.SpecialCall = special;
}

void FinishCandidate(const EntityCatalogue& catalogue, std::string_view text, DateKey date,
                     Candidate& candidate)
{
    if (!candidate.Resolved) {
        return;
    }
    const auto entities = catalogue.Entities();
    const bool fromBlock = candidate.PrefixEntry >= 0 && !candidate.ViaPredecessor;
    if (fromBlock && candidate.BlockCount > 1) {
        TrimBlock(entities, date, candidate);
    }
    const std::string& mainPrefix = entities[candidate.Entity - 1u].MainPrefix;
    candidate.MatchedLength = mainPrefix.size();
    // A text that is exactly the main prefix of the block's first entity names that entity.
    const std::size_t compared = text.size() < 4 ? text.size() : 4;
    if (candidate.BlockCount > 1 && mainPrefix.size() == compared &&
        text.substr(0, compared) == mainPrefix) {
        candidate.BlockCount = 1;
    }
}

int ChooseCandidate(const CallShape& shape, const std::array<Candidate, kMaxCandidates>& candidates)
{
    const CallPart& first = shape.Candidates[0];
    const CallPart& second = shape.Candidates[1];
    int chosen = 0;
    // The candidate that leaves less of its text beyond the matched prefix wins; on a tie, the
    // shorter text.
    if (shape.CandidateCount == 2 && candidates[1].Resolved) {
        const auto rest = [](const CallPart& text, const Candidate& candidate) {
            return static_cast<long>(text.Size) - static_cast<long>(candidate.MatchedLength);
        };
        const long rest1 = rest(first, candidates[0]);
        const long rest2 = rest(second, candidates[1]);
        if (rest1 > rest2 || (rest1 == rest2 && first.Size > second.Size)) {
            chosen = 1;
        }
    }
    if (!candidates[0].Resolved && first.View().substr(0, 2) == "PJ") {
        chosen = 0;
    }
    return chosen;
}

ResolutionResult MakeResult(const EntityCatalogue& catalogue, const CallShape& shape,
                            const Candidate& winner)
{
    ResolutionResult result;
    if (!winner.Resolved) {
        result.Status =
            winner.TooShort ? ResolutionStatus::NotResolved : ResolutionStatus::NoEntity;
        return result;
    }
    result.Entity = winner.Entity;
    result.MainPrefix = catalogue.Entities()[winner.Entity - 1u].MainPrefix;
    result.CandidateCount = static_cast<std::uint16_t>(winner.BlockCount);
    if (shape.Mobile) {
        result.Status = ResolutionStatus::Mobile;
    } else if (winner.BlockCount >= 2) {
        result.Status = ResolutionStatus::Ambiguous;
    } else if (shape.SignificantParts == 2) {
        result.Status = ResolutionStatus::ResolvedTwoPart;
    } else {
        result.Status = ResolutionStatus::Resolved;
    }
    return result;
}

void RecordTrace(const ResolutionSteps& steps, ResolutionTrace& trace)
{
    const CallShape& shape = steps.Shape;
    for (int p = 0; p < shape.PartCount; ++p) {
        trace.Parts.emplace_back(shape.Parts[static_cast<std::size_t>(p)].View());
    }
    trace.Mobile = shape.Mobile;
    trace.PortableDropped = shape.PortableDropped;
    trace.CallAreaDigit = shape.CallAreaDigit;
    if (steps.DeclaredNoEntity) {
        trace.DeclaredInvalidBy = steps.SpecialCall;
    }
    for (int c = 0; c < steps.CandidatesResolved; ++c) {
        const auto slot = static_cast<std::size_t>(c);
        trace.Candidates.push_back(TraceOf(steps.Candidates[slot], shape.Candidates[slot].View()));
    }
    trace.Chosen = steps.Chosen;
}

}  // namespace wendrix::detail
