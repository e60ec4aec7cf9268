// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix-cli catalogue | resolve: what the compiled-in country list holds, and how a call sign
// resolves to a DXCC entity on a date (with the reasons, on request).
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "catalogue/CallResolver.h"
#include "catalogue/ResolveCall.h"
#include "common/Dates.h"
#include "common/Text.h"

namespace wendrix::cli {

namespace {

std::string ValidityText(DateKey from, DateKey to)
{
    if (from == kOpenStart && to == kOpenEnd) {
        return "always";
    }
    std::string text;
    text += from == kOpenStart ? std::string("...") : FormatDateKey(from);
    text += " to ";
    text += to == kOpenEnd ? std::string("...") : FormatDateKey(to);
    return text;
}

std::string ZonesText(const auto& zones)
{
    std::string text;
    for (std::size_t z = 0; z < zones.size(); ++z) {
        if (zones.test(z)) {
            if (!text.empty()) {
                text += '/';
            }
            text += std::to_string(z);
        }
    }
    return text;
}

void DumpEntities(const EntityCatalogue& catalogue, std::ostream& out)
{
    out << "# number\tmain prefix\tdxcc\tcontinent\tcq zones\titu zones\tlatitude\tlongitude\t"
           "valid from\tvalid to\tpredecessor\tname\n";
    for (std::uint16_t e = 1; e <= catalogue.EntityCount(); ++e) {
        const EntityRecord& r = catalogue.Entity(e);
        out << e << '\t' << r.MainPrefix << '\t' << r.DxccNumber << '\t'
            << ContinentText(r.Continent) << '\t' << ZonesText(r.CqZones) << '\t'
            << ZonesText(r.ItuZones) << '\t' << r.Latitude << '\t' << r.Longitude << '\t'
            << r.ValidFrom << '\t' << r.ValidTo << '\t' << r.Predecessor << '\t' << r.Name << '\n';
    }
}

void DumpPrefixes(const EntityCatalogue& catalogue, std::ostream& out)
{
    out << "# index\ttoken\tlow\thigh\tfirst entity\tblock size\n";
    const auto prefixes = catalogue.PrefixIndex();
    for (std::size_t i = 0; i < prefixes.size(); ++i) {
        const PrefixRange& p = prefixes[i];
        out << i + 1 << '\t' << p.Describe() << '\t' << std::string(p.Low.data(), 4) << '\t'
            << std::string(p.High.data(), 4) << '\t' << catalogue.MainPrefixOf(p.FirstEntity)
            << '\t' << int{p.BlockSize} << '\n';
    }
}

void DumpSpecials(const EntityCatalogue& catalogue, std::ostream& out)
{
    out << "# index\tpattern\tentity\tvalid from\tvalid to\tlist line\n";
    const auto specials = catalogue.SpecialCallList();
    for (std::size_t i = 0; i < specials.size(); ++i) {
        const SpecialCall& s = specials[i];
        const auto entity = catalogue.MainPrefixOf(s.Entity);
        out << i + 1 << '\t' << s.Pattern << '\t' << (entity.empty() ? "-" : entity) << '\t'
            << s.ValidFrom << '\t' << s.ValidTo << '\t' << s.Line << '\n';
    }
}

std::string TsvLine(const EntityCatalogue& catalogue, std::string_view call, DateKey date,
                    const ResolutionResult& result)
{
    std::string line(call);
    line += '\t' + std::to_string(date) + '\t' + std::to_string(static_cast<int>(result.Status)) +
            '\t' + result.MainPrefix + '\t' + std::to_string(result.CandidateCount) + '\t';
    if (result.Entity != 0) {
        const EntityRecord& record = catalogue.Entity(result.Entity);
        line += std::to_string(record.DxccNumber) + '\t' + record.Name;
    } else {
        line += '\t';
    }
    return line;
}

void PrintExplanation(const EntityCatalogue& catalogue, const ResolutionTrace& trace,
                      std::ostream& out)
{
    out << "parts:";
    for (const auto& part : trace.Parts) {
        out << " \"" << part << '"';
    }
    out << '\n';
    if (trace.Mobile) {
        out << "  the last part is a maritime/aeronautical mobile suffix and was set aside\n";
    }
    if (trace.PortableDropped) {
        out << "  the second part is a portable designator and was ignored\n";
    }
    if (trace.CallAreaDigit) {
        out << "  the second part is a call-area digit\n";
    }
    if (trace.DeclaredInvalidBy >= 0) {
        const SpecialCall& special =
            catalogue.SpecialCallList()[static_cast<std::size_t>(trace.DeclaredInvalidBy)];
        out << "  special call \"" << special.Pattern << "\" (list line " << special.Line
            << ", valid " << ValidityText(special.ValidFrom, special.ValidTo)
            << ") declares the call not to be a valid entity\n";
        return;
    }
    for (std::size_t c = 0; c < trace.Candidates.size(); ++c) {
        const CandidateTrace& candidate = trace.Candidates[c];
        out << "candidate " << c + 1 << ": \"" << candidate.Text << "\"\n";
        if (candidate.SpecialCall >= 0) {
            const SpecialCall& special =
                catalogue.SpecialCallList()[static_cast<std::size_t>(candidate.SpecialCall)];
            out << "  special call \"" << special.Pattern << "\" -> "
                << catalogue.MainPrefixOf(special.Entity) << " (list line " << special.Line
                << ", valid " << ValidityText(special.ValidFrom, special.ValidTo) << ")\n";
        } else if (candidate.PrefixEntry >= 0) {
            const PrefixRange& range =
                catalogue.PrefixIndex()[static_cast<std::size_t>(candidate.PrefixEntry)];
            const EntityRecord& pointed = catalogue.Entity(candidate.PrefixEntity);
            out << "  prefix entry " << candidate.PrefixEntry + 1 << " \"" << range.Describe()
                << "\" -> " << pointed.MainPrefix << " (valid "
                << ValidityText(pointed.ValidFrom, pointed.ValidTo) << ", block of "
                << int{range.BlockSize} << ")\n";
            if (candidate.ViaPredecessor) {
                out << "  " << pointed.MainPrefix << " did not exist yet on that date: its "
                    << "predecessor " << pointed.Predecessor << " counts\n";
            } else if (candidate.BlockSizeAfterTrim != candidate.BlockSizeFound) {
                out << "  the block was trimmed from " << candidate.BlockSizeFound << " to "
                    << candidate.BlockSizeAfterTrim << " entities valid on that date\n";
            }
        } else {
            out << "  no special call and no prefix entry accepted it"
                << (candidate.TooShort ? " (too short for the prefix it begins with)" : "") << '\n';
        }
        if (candidate.Entity != 0) {
            out << "  entity " << catalogue.Entity(candidate.Entity).MainPrefix
                << ", matched length " << candidate.MatchedLength << ", rest " << candidate.Rest
                << '\n';
        }
    }
    if (trace.Candidates.size() > 1) {
        out << "chosen: candidate " << trace.Chosen + 1 << '\n';
    }
}

void PrintResult(const EntityCatalogue& catalogue, std::string_view call, DateKey date,
                 const ResolutionResult& result, std::ostream& out)
{
    out << "call:        " << call << '\n'
        << "date:        " << FormatDateKey(date) << '\n'
        << "status:      " << static_cast<int>(result.Status) << " (" << StatusName(result.Status)
        << ")\n"
        << "main prefix: " << result.MainPrefix << '\n';
    if (result.Entity != 0) {
        const EntityRecord& record = catalogue.Entity(result.Entity);
        out << "entity:      " << record.Name << '\n'
            << "dxcc:        " << record.DxccNumber << '\n';
    }
    out << "candidates:  " << result.CandidateCount << '\n';
}

struct ResolveOptions
{
    std::string Call;
    std::string Date;
    bool Tsv = false;
    bool Explain = false;
};

std::optional<DateKey> DateArgument(const std::string& text)
{
    if (text.empty()) {
        return TodayUtc();
    }
    return ParseDateKey(text);
}

int RunBatch(const EntityCatalogue& catalogue, std::istream& in, std::ostream& out)
{
    const CallResolver resolver(catalogue);
    const DateKey today = TodayUtc();
    std::string line;
    std::size_t lineNumber = 0;
    int errors = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string_view text = Trim(line);
        if (text.empty()) {
            continue;
        }
        const auto blank = text.find_first_of(" \t");
        const std::string call = AsciiUpper(text.substr(0, blank));
        DateKey date = today;
        if (blank != std::string_view::npos) {
            const auto dateText = Trim(text.substr(blank));
            const auto parsed = ParseDateKey(dateText);
            if (!parsed) {
                std::cerr << "wendrix-cli: line " << lineNumber << ": \"" << dateText
                          << "\" is no date YYYYMMDD\n";
                ++errors;
                continue;
            }
            date = *parsed;
        }
        out << TsvLine(catalogue, call, date, resolver.Resolve(call, date)) << '\n';
    }
    return errors == 0 ? 0 : 1;
}

}  // namespace

void RegisterCatalogueCommands(CLI::App& app, const EntityCatalogue& catalogue)
{
    auto dump = std::make_shared<std::string>();
    CLI::App* catalogueCommand =
        app.add_subcommand("catalogue", "Show the counts of the compiled-in country list");
    catalogueCommand
        ->add_option("--dump", *dump, "Also list a table: entities, prefixes, specials or all")
        ->check(CLI::IsMember({"entities", "prefixes", "specials", "all"}));
    catalogueCommand->callback([&catalogue, dump]() {
        std::cout << "entities: " << catalogue.EntityCount() << '\n'
                  << "prefix entries: " << catalogue.PrefixIndex().size() << '\n'
                  << "special calls: " << catalogue.SpecialCallList().size() << '\n';
        const CatalogueOverflow& overflow = catalogue.Overflow();
        if (overflow.Entities + overflow.PrefixEntries + overflow.SpecialCalls +
                overflow.SpecialCallsWithUnknownEntity >
            0) {
            std::cout << "left out: " << overflow.Entities << " entities, "
                      << overflow.PrefixEntries << " prefix entries, " << overflow.SpecialCalls
                      << " special calls beyond the capacities; "
                      << overflow.SpecialCallsWithUnknownEntity
                      << " special calls naming no known entity\n";
        }
        if (*dump == "entities" || *dump == "all") {
            DumpEntities(catalogue, std::cout);
        }
        if (*dump == "prefixes" || *dump == "all") {
            DumpPrefixes(catalogue, std::cout);
        }
        if (*dump == "specials" || *dump == "all") {
            DumpSpecials(catalogue, std::cout);
        }
    });

    auto options = std::make_shared<ResolveOptions>();
    CLI::App* resolve = app.add_subcommand(
        "resolve", "Resolve a call sign to its DXCC entity on a date (default: today, UTC)");
    resolve->add_option("call", options->Call, "Call sign, or - to read lines CALL [YYYYMMDD]")
        ->required();
    resolve->add_option("date", options->Date, "Contact date YYYYMMDD");
    resolve->add_flag("--tsv", options->Tsv,
                      "One tab-separated line: call, date, status, main prefix, candidates, "
                      "DXCC, name");
    resolve->add_flag("--explain", options->Explain, "Show how the answer came about");
    resolve->callback([&catalogue, options]() {
        if (options->Call == "-") {
            if (!options->Tsv) {
                throw CLI::ValidationError("call", "reading calls from standard input needs --tsv");
            }
            const int status = RunBatch(catalogue, std::cin, std::cout);
            if (status != 0) {
                throw CLI::RuntimeError(status);
            }
            return;
        }
        const auto date = DateArgument(options->Date);
        if (!date) {
            throw CLI::ValidationError("date", "\"" + options->Date + "\" is no date YYYYMMDD");
        }
        const std::string call = AsciiUpper(options->Call);
        if (call.find_first_of(" \t") != std::string::npos) {
            throw CLI::ValidationError("call", "a call sign has no blanks");
        }
        ResolutionTrace trace;
        const ResolutionResult result =
            ResolveCall(catalogue, call, *date, options->Explain ? &trace : nullptr);
        if (options->Tsv) {
            std::cout << TsvLine(catalogue, call, *date, result) << '\n';
        } else {
            PrintResult(catalogue, call, *date, result, std::cout);
        }
        if (options->Explain) {
            PrintExplanation(catalogue, trace, std::cout);
        }
    });
}

}  // namespace wendrix::cli
