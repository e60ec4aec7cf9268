// SPDX-License-Identifier: GPL-3.0-or-later
#include "AdifReference.h"

#include <sstream>

#include "common/Text.h"
#include "import/adif/AdifReader.h"
#include "import/Classification.h"

namespace wendrix::test {

namespace {

std::string Upper(std::string_view text)
{
    return AsciiUpper(text);
}

// The tag scanner as a state machine over characters, with the look-ahead clipping.
AdifFields ScanPlainly(const std::string& text)
{
    enum class State {
        Outside,
        TagName,
        Length,
        Type,
        Value
    };
    AdifFields fields;
    State state = State::Outside;
    std::string name;
    std::string length;
    std::string value;
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            state = State::TagName;
            name.clear();
        } else if (state == State::TagName && c == ':') {
            state = State::Length;
            length.clear();
        } else if (state == State::Length && c == ':') {
            state = State::Type;
        } else if ((state == State::Length || state == State::Type) && c == '>') {
            state = State::Value;
            value.clear();
            const auto declared = ReadIntInRange(length, 0, 255);
            n = declared ? static_cast<std::size_t>(*declared) : 0;
            if (n == 0) {
                state = State::Outside;
            } else {
                for (std::size_t j = 1; j <= n && i + j < text.size(); ++j) {
                    if (text[i + j] == '<') {
                        n = j - 1;
                        break;
                    }
                }
            }
        } else if (state == State::TagName) {
            name += c;
        } else if (state == State::Length) {
            length += c;
        } else if (state == State::Value) {
            value += c;
            if (value.size() == n) {
                state = State::Outside;
                AdifField field{};
                if (FindAdifField(name, field)) {
                    fields.Set(field, Trim(value));
                }
            }
        }
    }
    return fields;
}

class PlainReader
{
public:
    PlainReader(const EntityCatalogue& catalogue, bool countEqsl)
        : m_catalogue(catalogue),
          m_countEqsl(countEqsl)
    {
    }

    void Read(std::string chunk, std::vector<ReadOutcome>& out)
    {
        std::string text = m_pending + Upper(Trim(chunk));
        if (const auto h = text.find("<EOH>"); h != std::string::npos) {
            text.erase(0, h + 5);
        }
        const auto e = text.find("<EOR>");
        if (e == std::string::npos) {
            m_pending = text;
            return;
        }
        m_pending = std::string(Trim(std::string_view(text).substr(e + 5)));
        const std::string record(Trim(std::string_view(text).substr(0, e)));
        if (record.empty()) {
            return;
        }
        ReadOutcome outcome;
        const AdifFields fields = ScanPlainly(record);
        const std::string_view reason =
            ClassifyRecord(fields, m_countEqsl, m_catalogue, outcome.contact);
        outcome.accepted = reason.empty();
        if (!outcome.accepted) {
            outcome.contact = ContactRecord{};
            outcome.report = std::string(reason) + record.substr(0, kReportTextLimit);
        }
        out.push_back(outcome);
    }

private:
    const EntityCatalogue& m_catalogue;
    bool m_countEqsl;
    std::string m_pending;
};

}  // namespace

std::vector<ReadOutcome> ReferenceReadChunks(const std::vector<std::string>& chunks,
                                             const EntityCatalogue& catalogue, bool countEqsl)
{
    std::vector<ReadOutcome> out;
    PlainReader reader(catalogue, countEqsl);
    for (const auto& chunk : chunks) {
        reader.Read(chunk, out);
    }
    return out;
}

std::vector<ReadOutcome> ReferenceReadLog(std::string_view bytes, const EntityCatalogue& catalogue,
                                          bool countEqsl)
{
    std::vector<ReadOutcome> out;
    PlainReader reader(catalogue, countEqsl);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            lf = bytes.size();
        }
        std::string line;
        for (char c : bytes.substr(start, lf - start)) {
            if (c != '\r') {
                line += c;
            }
        }
        start = lf + 1;
        line = Upper(line);
        for (;;) {
            std::size_t p = line.find("<EOH>");
            if (p == std::string::npos) {
                p = line.find("<EOR>");
            }
            if (p != std::string::npos && p + 5 < line.size()) {
                reader.Read(line.substr(0, p + 5), out);
                line.erase(0, p + 5);
            } else {
                reader.Read(line, out);
                break;
            }
        }
    }
    return out;
}

std::string Describe(const ReadOutcome& outcome)
{
    std::ostringstream s;
    if (outcome.accepted) {
        const ContactRecord& c = outcome.contact;
        s << "accepted " << c.Call << " " << c.Year << "-" << int{c.Month} << "-" << int{c.Day}
          << " " << int{c.Hour} << ":" << int{c.Minute} << " band " << int{c.Band} << " mode "
          << int{c.Mode} << " flags " << int{c.Flags} << " entity " << c.Entity
          << (c.NoEntityDeclared ? " (DXCC 0)" : "");
    } else {
        s << "rejected '" << outcome.report << "'";
    }
    return s.str();
}

std::string Describe(const std::vector<ReadOutcome>& outcomes)
{
    std::string text;
    for (const auto& outcome : outcomes) {
        text += Describe(outcome) + "\n";
    }
    return text;
}

const EntityCatalogue& ReaderCheckCatalogue()
{
    static const EntityCatalogue catalogue = [] {
        const std::vector<std::string_view> lines{
            "=header",
            "DA-DR  : DL  EU  14  28  5100 1000  230",
            "Fed. Rep. of Germany",
            "",
            "JA-JS  : JA  AS  25  45  3600 13900  339",
            "Japan",
            "",
            "=S",
        };
        return BuildEntityCatalogue(lines);
    }();
    return catalogue;
}

void OutcomeCollector::Accepted(const ContactRecord& contact)
{
    ReadOutcome outcome;
    outcome.accepted = true;
    outcome.contact = contact;
    outcomes.push_back(outcome);
}

void OutcomeCollector::Rejected(std::string_view reportLine)
{
    ReadOutcome outcome;
    outcome.report = std::string(reportLine);
    outcomes.push_back(outcome);
}

ChunkResult ReadAdifRecord(AdifRecordReader& reader, std::string& chunk, ContactRecord& contact)
{
    // Collects the one record a chunk can yield.
    class SingleRecord final : public AdifRecordSink
    {
    public:
        void Accepted(const ContactRecord& record) override
        {
            result = ChunkResult::Accepted;
            accepted = record;
        }
        void Rejected(std::string_view reportLine) override
        {
            result = ChunkResult::Rejected;
            report.assign(reportLine);
        }
        ChunkResult result = ChunkResult::Waiting;
        ContactRecord accepted;
        std::string report;
    };
    AsciiUpperInPlace(chunk);  // the reader would match it as if upper-cased in any case
    std::size_t eohTags = 0;
    for (std::size_t p = chunk.find("<EOH>"); p != std::string::npos;
         p = chunk.find("<EOH>", p + 5)) {
        ++eohTags;
    }
    SingleRecord single;
    reader.BeginChunk(eohTags);
    reader.AppendChunk(chunk, single);
    reader.EndChunk(single);
    chunk.clear();
    if (single.result == ChunkResult::Accepted) {
        contact = single.accepted;
    } else if (single.result == ChunkResult::Rejected) {
        chunk = std::move(single.report);
    }
    return single.result;
}

}  // namespace wendrix::test
