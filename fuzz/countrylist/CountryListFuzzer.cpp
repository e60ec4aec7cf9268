// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the country-list reader: any bytes, cut into lines at LF, as a country list.
// The reader never refuses a list; whatever it builds must stay within the fixed capacities and
// hold together (every number points into its table), and the fast resolver built on it must
// answer as the reference scan does for calls taken from the list itself.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/CallResolver.h"
#include "catalogue/EntityCatalogue.h"
#include "catalogue/ResolveCall.h"
#include "common/Text.h"
#include "support/FuzzCheck.h"

namespace {

using wendrix::EntityCatalogue;
using wendrix::fuzz::Check;

void CheckCatalogue(const EntityCatalogue& catalogue)
{
    const int entities = catalogue.EntityCount();
    Check(entities <= EntityCatalogue::kMaxEntities, "more entities than the table holds");
    Check(catalogue.PrefixIndex().size() <= EntityCatalogue::kMaxPrefixEntries,
          "more prefix entries than the index holds");
    Check(catalogue.SpecialCallList().size() <= EntityCatalogue::kMaxSpecialCalls,
          "more special calls than the list holds");
    for (std::uint16_t e = 1; e <= entities; ++e) {
        const wendrix::EntityRecord& record = catalogue.Entity(e);
        Check(record.MainPrefix.size() <= EntityCatalogue::kMainPrefixLength,
              "a main prefix longer than 5 characters");
        Check(record.BasePrefixLength <= record.MainPrefix.size(), "a base prefix too long");
        Check(record.Name.size() <= EntityCatalogue::kNameLength, "a name longer than 30");
        Check(record.DxccNumber <= EntityCatalogue::kMaxDxcc, "a DXCC number past 999");
        Check(!record.CqZones.test(0) && (record.CqZones >> 41).none(), "CQ zones outside 1..40");
        Check(!record.ItuZones.test(0) && (record.ItuZones >> 91).none(),
              "ITU zones outside 1..90");
        Check(record.Predecessor.size() <= EntityCatalogue::kMainPrefixLength,
              "a predecessor longer than 5 characters");
        // The search ignores surrounding blanks and control characters, which a prefix taken
        // from a garbled line may carry.
        const std::string_view prefix = record.MainPrefix;
        if (!prefix.empty() && wendrix::Trim(prefix).size() == prefix.size()) {
            const std::uint16_t first = catalogue.FindEntityByPrefix(prefix);
            Check(first != 0 && first <= e, "an entity not found by its main prefix");
        }
    }
    for (const wendrix::PrefixRange& range : catalogue.PrefixIndex()) {
        Check(range.BlockSize >= 1 && range.FirstEntity >= 1 &&
                  range.FirstEntity + range.BlockSize - 1 <= entities,
              "a prefix entry pointing past the entity table");
    }
    for (const wendrix::SpecialCall& special : catalogue.SpecialCallList()) {
        Check(special.Pattern.size() <= EntityCatalogue::kPatternLength,
              "a pattern longer than 15 characters");
        Check(special.Entity <= entities, "a special call naming an entity past the table");
    }
    for (int dxcc = 0; dxcc <= EntityCatalogue::kMaxDxcc + 1; ++dxcc) {
        const std::uint16_t e = catalogue.EntityByDxcc(dxcc);
        Check(e == 0 || (e <= entities && catalogue.Entity(e).DxccNumber == dxcc),
              "the DXCC index points at another entity");
    }
}

bool Same(const wendrix::ResolutionResult& a, const wendrix::ResolutionResult& b)
{
    return a.MainPrefix == b.MainPrefix && a.Status == b.Status &&
           a.CandidateCount == b.CandidateCount && a.Entity == b.Entity;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    const EntityCatalogue catalogue = wendrix::BuildEntityCatalogue(lines);
    CheckCatalogue(catalogue);

    // The first word of every line as a call (with a digit and a letter added, so that prefix
    // tokens become plausible calls), on a date taken from the input's length.
    const wendrix::CallResolver resolver(catalogue);
    const wendrix::DateKey date = wendrix::MakeDateKey(1950 + static_cast<int>(size % 100), 6, 15);
    std::size_t tried = 0;
    for (const std::string_view line : lines) {
        if (++tried > 64) {
            break;
        }
        const std::string_view trimmed = wendrix::Trim(line);
        const std::string word =
            wendrix::AsciiUpper(trimmed.substr(0, trimmed.find_first_of(" \t")));
        for (const std::string& call : {word, word + "1A", word + "/P"}) {
            const auto fast = resolver.Resolve(call, date);
            const auto reference = wendrix::ResolveCall(catalogue, call, date);
            if (!Same(fast, reference)) {
                std::fprintf(stderr, "%s on %u: fast %s/%d/%d, reference %s/%d/%d\n", call.c_str(),
                             date, fast.MainPrefix.c_str(), static_cast<int>(fast.Status),
                             fast.CandidateCount, reference.MainPrefix.c_str(),
                             static_cast<int>(reference.Status), reference.CandidateCount);
                Check(false, "the fast resolver differs from the reference scan");
            }
        }
    }
    return 0;
}
