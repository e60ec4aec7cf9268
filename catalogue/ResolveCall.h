// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EntityCatalogue.h"
#include "common/Dates.h"

namespace wendrix {

enum class ResolutionStatus : std::uint8_t {
    Resolved = 0,         // from a call without a second part
    NotResolved = 1,      // empty, only a mobile suffix, or too short for its prefix
    ResolvedTwoPart = 2,  // from a call with a portable prefix/suffix or a call-area digit
    Ambiguous = 3,        // the prefix is shared by several entities valid on the date
    Mobile = 4,           // maritime or aeronautical mobile; MainPrefix names the entity
    NoEntity = 5,         // nothing matched, or the call is declared no valid entity
};

struct ResolutionResult
{
    std::string MainPrefix;  // empty when no entity was found
    ResolutionStatus Status = ResolutionStatus::NotResolved;
    std::uint16_t CandidateCount = 1;
    std::uint16_t Entity = 0;  // entity number of MainPrefix, 0 when empty
};

// How one resolution came about, for "explain" output.
struct CandidateTrace
{
    std::string Text;                // the part (or "W" + digit) that was resolved
    int SpecialCall = -1;            // index into SpecialCallList() that decided, or -1
    int PrefixEntry = -1;            // index into PrefixIndex() that decided, or -1
    bool ViaPredecessor = false;     // the entity was not valid yet: its predecessor counted
    std::uint16_t PrefixEntity = 0;  // the entity the prefix entry pointed to
    int BlockSizeFound = 0;          // block size of the accepted entry
    int BlockSizeAfterTrim = 0;      // after dropping block members not valid on the date
    bool TooShort = false;
    std::uint16_t Entity = 0;
    int MatchedLength = 0;
    int Rest = 0;  // part length minus matched length
};

struct ResolutionTrace
{
    std::vector<std::string> Parts;  // after splitting, before any part was dropped
    bool Mobile = false;
    bool PortableDropped = false;  // a designator like /P or /QRP was ignored
    bool CallAreaDigit = false;
    std::vector<CandidateTrace> Candidates;
    int Chosen = 0;              // index into Candidates
    int DeclaredInvalidBy = -1;  // special-call index with entity "-", or -1
};

// Finds the DXCC entity of a call sign (capital letters) on a date, scanning the special-call
// list and the prefix index in order. This is the reference form of the algorithm; CallResolver
// gives the same answers faster.
[[nodiscard]] ResolutionResult ResolveCall(const EntityCatalogue& catalogue, std::string_view call,
                                           DateKey date, ResolutionTrace* trace = nullptr);

// Whether a call matches a special-call pattern: "?" is any character but "/", a final "*"
// accepts any continuation; without it the lengths must be equal.
[[nodiscard]] bool MatchCallPattern(std::string_view call, std::string_view pattern);

// Length of a pattern without its trailing "?" and "*" characters.
[[nodiscard]] std::size_t SignificantLength(std::string_view pattern);

[[nodiscard]] std::string_view StatusName(ResolutionStatus status);

}  // namespace wendrix
