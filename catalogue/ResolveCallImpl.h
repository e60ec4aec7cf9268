// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The resolution algorithm, shared by the reference ResolveCall (which looks at every special
// call and prefix entry) and CallResolver (which looks only at those that can match). Both hand
// in the sequences to scan, so the steps that scan them are templates here; every other step is
// an ordinary function in ResolveCallImpl.cpp.
//
// The steps hand their findings on as plain values, collected in ResolutionSteps. The optional
// explanation (ResolutionTrace) is written from those values once the resolution has ended, so
// no step needs to know whether anybody asked for one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "catalogue/EntityCatalogue.h"
#include "catalogue/ResolveCall.h"
#include "common/Dates.h"

namespace wendrix::detail {

inline constexpr std::size_t kCallLength = 15;
inline constexpr std::size_t kPartLength = 6;
inline constexpr std::size_t kMaxParts = 3;
inline constexpr std::size_t kMaxCandidates = 2;

// A part of a call: at most 6 characters, copied so that a call-area digit can be put into it.
// Only the first Size characters are ever read.
struct CallPart
{
    std::array<char, kPartLength> Chars;
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

// The call cut at its "/" and read: which texts stand for an entity, and what the other parts
// said about the call.
struct CallShape
{
    std::array<CallPart, kMaxParts> Parts;  // as split, before anything was dropped
    int PartCount = 0;
    std::array<CallPart, kMaxCandidates> Candidates;  // the texts to resolve, in order
    int CandidateCount = 0;                           // 0: nothing is left to resolve
    int SignificantParts = 0;  // parts after dropping suffixes; 2 makes a two-part answer
    bool Mobile = false;       // a last part "MM" or "AM" was set aside
    bool PortableDropped = false;
    bool CallAreaDigit = false;
};

// The answer for one candidate text, with where it came from.
struct Candidate
{
    std::uint16_t Entity = 0;
    int BlockCount = 0;
    bool TooShort = false;
    bool Resolved = false;
    std::size_t MatchedLength = 0;
    int SpecialCall = -1;  // index into SpecialCallList() that decided, or -1
    int PrefixEntry = -1;  // index into PrefixIndex() that decided, or -1
    std::uint16_t PrefixEntity = 0;
    bool ViaPredecessor = false;
    int BlockSizeFound = 0;  // block size of the accepted entry, before trimming
};

// Everything one resolution found, filled step by step.
struct ResolutionSteps
{
    CallShape Shape;
    int SpecialCall = -1;  // the special call accepted for the whole call, or -1
    bool DeclaredNoEntity = false;
    std::array<Candidate, kMaxCandidates> Candidates{};
    int CandidatesResolved = 0;  // how many of Shape's candidates were looked up
    int Chosen = 0;
};

// Cuts the call (at most 15 characters) into parts and applies the rules for mobile suffixes,
// portable designators and call-area digits; the shape must be fresh.
void ShapeCall(std::string_view whole, CallShape& shape);

// Weighs a prefix entry that matches the text: fills the candidate and returns true when the
// entry decides (the search stops there).
[[nodiscard]] bool TryPrefixEntry(const EntityCatalogue& catalogue, std::size_t index,
                                  std::size_t textLength, DateKey date, Candidate& candidate);

// Fills a fresh candidate with what an accepted special call gives.
void TakeSpecialCall(const EntityCatalogue& catalogue, int special, Candidate& candidate);

// Trims a shared block to the entities valid on the date and sets the matched length.
void FinishCandidate(const EntityCatalogue& catalogue, std::string_view text, DateKey date,
                     Candidate& candidate);

// Index into the shape's candidates of the one that answers.
[[nodiscard]] int ChooseCandidate(const CallShape& shape,
                                  const std::array<Candidate, kMaxCandidates>& candidates);

// The status, main prefix and candidate count that the chosen candidate gives.
[[nodiscard]] ResolutionResult MakeResult(const EntityCatalogue& catalogue, const CallShape& shape,
                                          const Candidate& winner);

// Writes the explanation of a finished resolution from what its steps found.
void RecordTrace(const ResolutionSteps& steps, ResolutionTrace& trace);

// The last special call of the scanned ones that matches the whole call on the date and is at
// least as specific as the one before; an entry naming no entity ends the scan at once.
template <typename Indices>
[[nodiscard]] int FindSpecialCall(std::span<const SpecialCall> specials, std::string_view whole,
                                  DateKey date, const Indices& indices)
{
    int found = -1;
    std::size_t lastLength = 0;
    for (const auto index : indices) {
        const SpecialCall& special = specials[index];
        if (!special.IsValidOn(date) || !MatchCallPattern(whole, special.Pattern)) {
            continue;
        }
        const std::size_t length = SignificantLength(special.Pattern);
        if (length < lastLength) {
            continue;
        }
        lastLength = length;
        found = static_cast<int>(index);
        if (special.Entity == 0) {
            break;
        }
    }
    return found;
}

// First-match search of the scanned prefix entries for one candidate text; fills a fresh
// candidate.
template <typename Indices>
void SearchPrefixIndex(const EntityCatalogue& catalogue, std::string_view text, DateKey date,
                       const Indices& indices, Candidate& candidate)
{
    const auto prefixes = catalogue.PrefixIndex();
    for (const auto index : indices) {
        if (prefixes[index].Matches(text) &&
            TryPrefixEntry(catalogue, index, text.size(), date, candidate)) {
            break;
        }
    }
    candidate.BlockSizeFound = candidate.BlockCount;
}

// The resolution itself; leaves what each step found in `steps`.
template <typename SpecialsFor, typename PrefixesFor>
ResolutionResult RunSteps(const EntityCatalogue& catalogue, std::string_view call, DateKey date,
                          const SpecialsFor& specialsFor, const PrefixesFor& prefixesFor,
                          ResolutionSteps& steps)
{
    if (call.empty()) {
        return {};
    }
    const std::string_view whole = call.substr(0, kCallLength);
    ShapeCall(whole, steps.Shape);
    const CallShape& shape = steps.Shape;
    if (shape.CandidateCount == 0) {
        return {};
    }

    // The special calls are matched against the whole call, so their answer is the same for
    // every candidate: look it up once.
    const auto specials = catalogue.SpecialCallList();
    steps.SpecialCall = FindSpecialCall(specials, whole, date, specialsFor(whole));
    steps.DeclaredNoEntity =
        steps.SpecialCall >= 0 && specials[static_cast<std::size_t>(steps.SpecialCall)].Entity == 0;
    if (steps.DeclaredNoEntity) {
        ResolutionResult result;
        result.Status = ResolutionStatus::NoEntity;
        return result;
    }

    for (int c = 0; c < shape.CandidateCount; ++c) {
        const std::string_view text = shape.Candidates[static_cast<std::size_t>(c)].View();
        Candidate& candidate = steps.Candidates[static_cast<std::size_t>(c)];
        if (steps.SpecialCall >= 0) {
            TakeSpecialCall(catalogue, steps.SpecialCall, candidate);
        } else {
            SearchPrefixIndex(catalogue, text, date, prefixesFor(text), candidate);
        }
        FinishCandidate(catalogue, text, date, candidate);
        steps.CandidatesResolved = c + 1;
    }
    steps.Chosen = ChooseCandidate(shape, steps.Candidates);
    return MakeResult(catalogue, shape, steps.Candidates[static_cast<std::size_t>(steps.Chosen)]);
}

// SpecialsFor(W) and PrefixesFor(S) return ranges of indices into the special-call list and the
// prefix index, in list order.
template <typename SpecialsFor, typename PrefixesFor>
ResolutionResult ResolveWith(const EntityCatalogue& catalogue, std::string_view call, DateKey date,
                             ResolutionTrace* trace, const SpecialsFor& specialsFor,
                             const PrefixesFor& prefixesFor)
{
    ResolutionSteps steps;
    ResolutionResult result = RunSteps(catalogue, call, date, specialsFor, prefixesFor, steps);
    if (trace != nullptr) {
        RecordTrace(steps, *trace);
    }
    return result;
}

}  // namespace wendrix::detail
