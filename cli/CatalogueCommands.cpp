// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix-cli catalogue | resolve: what the compiled-in country list holds, and how a call sign
// resolves to a DXCC entity on a date (with the reasons, on request).
#include <algorithm>
#include <charconv>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "TerminalPrompts.h"
#include "catalogue/CallResolver.h"
#include "catalogue/ResolveCall.h"
#include "common/Dates.h"
#include "common/Text.h"
#include "platform/Console.h"

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

// The tab-separated line of one resolution, without its line break, appended to out: the batch
// form writes tens of thousands of them into one buffer, so the line is written in place.
void AppendTsvLine(std::string& out, const EntityCatalogue& catalogue, std::string_view call,
                   DateKey date, const ResolutionResult& result)
{
    const EntityRecord* record = result.Entity != 0 ? &catalogue.Entity(result.Entity) : nullptr;
    const std::string_view name = record != nullptr ? std::string_view(record->Name) : "";
    // Six tabs and four numbers of at most ten digits each.
    constexpr std::size_t kFixed = 6 + 4 * 10;
    const std::size_t start = out.size();
    out.resize(start + call.size() + result.MainPrefix.size() + name.size() + kFixed);
    char* position = out.data() + start;
    char* const end = out.data() + out.size();
    const auto text = [&](std::string_view part) {
        position = std::copy(part.begin(), part.end(), position);
    };
    const auto number = [&](auto value) { position = std::to_chars(position, end, value).ptr; };
    text(call);
    *position++ = '\t';
    number(date);
    *position++ = '\t';
    number(static_cast<int>(result.Status));
    *position++ = '\t';
    text(result.MainPrefix);
    *position++ = '\t';
    number(result.CandidateCount);
    *position++ = '\t';
    if (record != nullptr) {
        number(record->DxccNumber);
    }
    *position++ = '\t';
    text(name);
    out.resize(static_cast<std::size_t>(position - out.data()));
}

// The lines of standard input, read in large pieces with one system call each, so that the
// stream costs nothing per byte. What a terminal sends comes line by line.
class InputLines
{
public:
    // A line longer than this is no call and date; only its first bytes are kept.
    static constexpr std::size_t kMaxLineLength = 4096;

    // The next line without its LF (a CR before it is left to the caller's trimming), valid
    // until the next call; false at the end of the input.
    [[nodiscard]] bool Next(std::string_view& line);
    // The last line was longer than kMaxLineLength.
    [[nodiscard]] bool Cut() const { return m_cut; }
    // No complete line is waiting: the next call reads from the system. The moment to hand
    // the answers so far to a reader who waits for them.
    [[nodiscard]] bool Drained() const { return m_position == m_end; }
    [[nodiscard]] bool Failed() const { return m_failed; }

private:
    std::vector<char> m_buffer = std::vector<char>(64 * 1024);
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    std::string m_long;  // a line that runs over the end of a piece
    bool m_ended = false;
    bool m_failed = false;
    bool m_cut = false;
};

bool InputLines::Next(std::string_view& line)
{
    bool spanning = false;
    m_cut = false;
    m_long.clear();
    const auto keep = [this](const char* begin, std::size_t length) {
        const std::size_t room = kMaxLineLength - m_long.size();
        m_cut = m_cut || length > room;
        m_long.append(begin, length < room ? length : room);
    };
    for (;;) {
        if (m_position == m_end) {
            if (m_ended) {
                line = m_long;
                return spanning;
            }
            const std::ptrdiff_t count = platform::ReadStandardInput(m_buffer);
            if (count <= 0) {
                m_failed = count < 0;
                m_ended = true;
                continue;
            }
            m_position = 0;
            m_end = static_cast<std::size_t>(count);
        }
        const char* const begin = m_buffer.data() + m_position;
        const std::size_t available = m_end - m_position;
        const auto* lineFeed = static_cast<const char*>(std::memchr(begin, '\n', available));
        if (lineFeed == nullptr) {
            keep(begin, available);
            spanning = true;
            m_position = m_end;
            continue;
        }
        const auto length = static_cast<std::size_t>(lineFeed - begin);
        m_position += length + 1;
        if (!spanning && length <= kMaxLineLength) {
            line = std::string_view(begin, length);
            return true;
        }
        keep(begin, length);
        line = m_long;
        return true;
    }
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

int RunBatch(const EntityCatalogue& catalogue, std::ostream& out)
{
    constexpr std::size_t kOutputPiece = 64 * 1024;
    const CallResolver resolver(catalogue);
    const DateKey today = TodayUtc();
    InputLines input;
    std::string output;
    output.reserve(kOutputPiece + 1024);
    std::string call;
    std::string_view line;
    std::size_t lineNumber = 0;
    int errors = 0;
    while (input.Next(line)) {
        ++lineNumber;
        if (input.Cut()) {
            out.write(output.data(), static_cast<std::streamsize>(output.size()));
            output.clear();
            std::cerr << "wendrix-cli: line " << lineNumber << " is longer than "
                      << InputLines::kMaxLineLength << " bytes\n";
            ++errors;
            continue;
        }
        const std::string_view text = Trim(line);
        if (text.empty()) {
            continue;
        }
        // The call ends at the first blank or tab (a loop: find_first_of asks memchr per byte).
        std::size_t blank = 0;
        while (blank < text.size() && text[blank] != ' ' && text[blank] != '\t') {
            ++blank;
        }
        call.assign(text.substr(0, blank));
        AsciiUpperInPlace(call);
        DateKey date = today;
        if (blank < text.size()) {
            const auto dateText = Trim(text.substr(blank));
            const auto parsed = ParseDateKey(dateText);
            if (!parsed) {
                // The answers before it come first.
                out.write(output.data(), static_cast<std::streamsize>(output.size()));
                output.clear();
                std::cerr << "wendrix-cli: line " << lineNumber << ": \""
                          << ForTerminal(dateText, StderrIsTerminal())
                          << "\" is no date YYYYMMDD\n";
                ++errors;
                continue;
            }
            date = *parsed;
        }
        AppendTsvLine(output, catalogue, call, date, resolver.Resolve(call, date));
        output += '\n';
        if (output.size() >= kOutputPiece || input.Drained()) {
            out.write(output.data(), static_cast<std::streamsize>(output.size()));
            output.clear();
            if (input.Drained()) {
                out.flush();
            }
        }
    }
    out.write(output.data(), static_cast<std::streamsize>(output.size()));
    out.flush();
    if (input.Failed()) {
        std::cerr << "wendrix-cli: cannot read the standard input\n";
        return 1;
    }
    if (!out) {
        std::cerr << "wendrix-cli: cannot write the standard output\n";
        return 1;
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
            const int status = RunBatch(catalogue, std::cout);
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
            std::string line;
            AppendTsvLine(line, catalogue, call, *date, result);
            std::cout << line << '\n';
        } else {
            PrintResult(catalogue, call, *date, result, std::cout);
        }
        if (options->Explain) {
            PrintExplanation(catalogue, trace, std::cout);
        }
    });
}

}  // namespace wendrix::cli
