// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the call resolver with its explanation: any bytes as a call on any date. The
// fast resolver must answer as the reference scan does, the same twice and with or without an
// explanation; the explanation must name the entity the answer gives and point only at entries
// of the catalogue.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "catalogue/CallResolver.h"
#include "catalogue/EntityCatalogue.h"
#include "catalogue/ResolveCall.h"
#include "common/Text.h"
#include "support/FuzzCheck.h"

namespace {

using wendrix::fuzz::Check;

struct Fixture
{
    wendrix::EntityCatalogue Catalogue = wendrix::BuildEntityCatalogue();
    wendrix::CallResolver Resolver{Catalogue};
};

bool Same(const wendrix::ResolutionResult& a, const wendrix::ResolutionResult& b)
{
    return a.MainPrefix == b.MainPrefix && a.Status == b.Status &&
           a.CandidateCount == b.CandidateCount && a.Entity == b.Entity;
}

void CheckExplanation(const wendrix::EntityCatalogue& catalogue,
                      const wendrix::ResolutionResult& result,
                      const wendrix::ResolutionTrace& trace)
{
    const auto specials = catalogue.SpecialCallList();
    const auto prefixes = catalogue.PrefixIndex();
    Check(result.MainPrefix == catalogue.MainPrefixOf(result.Entity),
          "the main prefix is the entity's");
    if (trace.DeclaredInvalidBy >= 0) {
        Check(static_cast<std::size_t>(trace.DeclaredInvalidBy) < specials.size() &&
                  specials[static_cast<std::size_t>(trace.DeclaredInvalidBy)].Entity == 0,
              "the explanation's declaring special call names no entity");
        Check(result.Entity == 0 && result.Status == wendrix::ResolutionStatus::NoEntity,
              "a call declared no entity resolves to one");
        return;
    }
    if (trace.Candidates.empty()) {
        Check(result.Entity == 0, "an entity without a candidate in the explanation");
        return;
    }
    Check(trace.Chosen >= 0 && static_cast<std::size_t>(trace.Chosen) < trace.Candidates.size(),
          "the chosen candidate is one of the explanation's");
    const auto& chosen = trace.Candidates[static_cast<std::size_t>(trace.Chosen)];
    Check(chosen.Entity == result.Entity, "the explanation names another entity");
    for (const auto& candidate : trace.Candidates) {
        Check(candidate.SpecialCall < 0 ||
                  static_cast<std::size_t>(candidate.SpecialCall) < specials.size(),
              "a special call past the list");
        Check(candidate.PrefixEntry < 0 ||
                  static_cast<std::size_t>(candidate.PrefixEntry) < prefixes.size(),
              "a prefix entry past the index");
        Check(candidate.Entity <= catalogue.EntityCount(), "an entity past the table");
        if (candidate.SpecialCall >= 0 && candidate.Entity != 0) {
            Check(specials[static_cast<std::size_t>(candidate.SpecialCall)].Entity ==
                      candidate.Entity,
                  "the special call names another entity");
        }
        if (candidate.PrefixEntry >= 0) {
            const auto& range = prefixes[static_cast<std::size_t>(candidate.PrefixEntry)];
            Check(candidate.PrefixEntity >= range.FirstEntity &&
                      candidate.PrefixEntity < range.FirstEntity + range.BlockSize,
                  "the prefix entity lies outside its entry's block");
            Check(candidate.PrefixEntity >= 1 && candidate.PrefixEntity <= catalogue.EntityCount(),
                  "the prefix entity is past the table");
        }
        Check(candidate.Rest == static_cast<int>(candidate.Text.size()) - candidate.MatchedLength,
              "the rest is the text beyond the matched length");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Fixture fixture;
    // The first four bytes are the date (any number, as the record reader may hand on), the rest
    // is the call, upper-cased as the callers do and also as it came.
    wendrix::DateKey date = wendrix::MakeDateKey(2023, 1, 5);
    if (size >= 4) {
        std::memcpy(&date, data, 4);
        data += 4;
        size -= 4;
    }
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const std::string upper = wendrix::AsciiUpper(raw);
    for (const std::string_view call : {raw, std::string_view(upper)}) {
        wendrix::ResolutionTrace trace;
        const auto explained = fixture.Resolver.Resolve(call, date, &trace);
        const auto again = fixture.Resolver.Resolve(call, date);
        const auto reference = wendrix::ResolveCall(fixture.Catalogue, call, date);
        Check(Same(explained, again), "the same call resolves twice differently");
        Check(Same(explained, reference), "the fast resolver differs from the reference scan");
        CheckExplanation(fixture.Catalogue, explained, trace);
        wendrix::ResolutionTrace referenceTrace;
        (void)wendrix::ResolveCall(fixture.Catalogue, call, date, &referenceTrace);
        Check(referenceTrace.Chosen == trace.Chosen &&
                  referenceTrace.Candidates.size() == trace.Candidates.size() &&
                  referenceTrace.DeclaredInvalidBy == trace.DeclaredInvalidBy &&
                  referenceTrace.Parts == trace.Parts,
              "the explanations of both resolvers differ");
    }
    return 0;
}
