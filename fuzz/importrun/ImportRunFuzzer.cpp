// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the whole import run on the embedded catalogue: any bytes as a log, read with
// scripted answers (eQSL, the entity questions, a read error with Abort or Ignore, the report
// question), once or twice in one run. Checks the matrix afterwards: a ticked cell implies its
// band's Mixed cell and the all-bands cells (a contact outside the band plan ticks the
// all-bands column alone), the 30 m Fone cell stays clear, no row past the
// catalogue is touched and the column sums equal a recount; and checks what the run told its
// ports (valid UTF-8, percentages in range, no question after a sticky answer, counters that
// add up).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FaultySource.h"
#include "catalogue/CallResolver.h"
#include "catalogue/EntityCatalogue.h"
#include "common/Text.h"
#include "import/adif/AdifMemorySource.h"
#include "import/ImportRun.h"
#include "matrix/Bands.h"
#include "matrix/ConfirmationMatrix.h"
#include "support/FuzzCheck.h"

namespace {

using wendrix::fuzz::Check;

const std::filesystem::path kLog = "log.adi";
const std::filesystem::path kMissing = "missing.adi";

struct Fixture
{
    wendrix::EntityCatalogue Catalogue = wendrix::BuildEntityCatalogue();
    wendrix::CallResolver Resolver{Catalogue};
};

// The first bytes of an input script the run; the rest is the log.
struct Script
{
    bool CountEqsl = false;
    bool ShowReport = false;
    bool Twice = false;         // the log is chosen twice in one run
    bool WithMissing = false;   // a file that cannot be opened comes first
    std::size_t Piece = 0;      // 0: the source hands out as much as fits
    std::uint8_t Answers = 0;   // four entity answers of two bits, used in turn
    std::size_t BadOffset = 0;  // where a read fails; only with HasBadSpot
    std::size_t BadLength = 0;  // 0: a passing fault
    bool HasBadSpot = false;
    bool AbortOnError = false;
};

class ScriptedPrompts final : public wendrix::ImportPrompts
{
public:
    ScriptedPrompts(const Script& script, const wendrix::EntityCatalogue& catalogue)
        : m_script(script),
          m_catalogue(catalogue)
    {
    }

    [[nodiscard]] bool AskCountEqsl() override { return m_script.CountEqsl; }
    [[nodiscard]] std::vector<std::filesystem::path> ChooseLogFiles() override
    {
        std::vector<std::filesystem::path> files;
        if (m_script.WithMissing) {
            files.push_back(kMissing);
        }
        files.push_back(kLog);
        if (m_script.Twice) {
            files.push_back(kLog);
        }
        return files;
    }
    [[nodiscard]] wendrix::ReadErrorAnswer AskOnReadError(const std::filesystem::path&) override
    {
        ++ReadErrors;
        return m_script.AbortOnError ? wendrix::ReadErrorAnswer::Abort
                                     : wendrix::ReadErrorAnswer::Ignore;
    }
    [[nodiscard]] wendrix::EntityAnswer
    AskTakeEntity(const wendrix::EntityQuestion& question) override
    {
        Check(!m_sticky, "an entity question after Yes to all or No to all");
        Check(m_catalogue.FindEntityByPrefix(question.mainPrefix) != 0,
              "the entity question names a known entity");
        Check(wendrix::IsValidUtf8(question.call), "the call of the entity question is UTF-8");
        Check(wendrix::IsValidUtf8(question.Text()), "the entity question is UTF-8");
        const auto answer =
            static_cast<wendrix::EntityAnswer>((m_script.Answers >> (2 * (m_questions % 4))) & 3);
        ++m_questions;
        m_sticky =
            answer == wendrix::EntityAnswer::YesToAll || answer == wendrix::EntityAnswer::NoToAll;
        return answer;
    }
    [[nodiscard]] bool AskShowReport(std::string_view summary) override
    {
        ++Summaries;
        Check(wendrix::IsValidUtf8(summary), "the summary is UTF-8");
        return m_script.ShowReport;
    }
    void ShowSummary(std::string_view summary) override
    {
        ++Summaries;
        Check(wendrix::IsValidUtf8(summary), "the summary is UTF-8");
    }
    [[nodiscard]] bool AskCountOtherStation(const wendrix::OtherStationQuestion& question) override
    {
        Check(wendrix::IsValidUtf8(question.Text()), "the station question is UTF-8");
        return m_script.ShowReport;
    }

    int ReadErrors = 0;
    int Summaries = 0;

private:
    const Script& m_script;
    const wendrix::EntityCatalogue& m_catalogue;
    int m_questions = 0;
    bool m_sticky = false;
};

class CheckingProgress final : public wendrix::ImportProgress
{
public:
    void ShowProgress(std::string_view upper, std::string_view lower, int percent) override
    {
        Check(!m_shown, "the progress window is shown twice without being hidden");
        Check(upper.size() <= wendrix::kProgressTextLimit &&
                  lower.size() <= wendrix::kProgressTextLimit,
              "progress texts within 255 bytes");
        Check(wendrix::IsValidUtf8(upper) && wendrix::IsValidUtf8(lower), "progress texts UTF-8");
        Check(percent >= 0 && percent <= 100, "progress percentage in 0..100");
        m_shown = true;
    }
    [[nodiscard]] bool StepProgress(int percent) override
    {
        Check(m_shown, "a progress step without the window");
        Check(percent >= 0 && percent <= 100, "progress percentage in 0..100");
        return true;
    }
    void HideProgress() override
    {
        Check(m_shown, "the progress window hidden without being shown");
        m_shown = false;
    }

private:
    bool m_shown = false;
};

class CheckingReport final : public wendrix::ImportReport
{
public:
    void BeginReport(std::string_view caption) override
    {
        Check(wendrix::IsValidUtf8(caption), "the report caption is UTF-8");
        ++Begun;
    }
    void AddLine(std::string_view line) override
    {
        Check(Begun == 1, "a report line before the report began");
        Check(wendrix::IsValidUtf8(line), "every report line is UTF-8");
    }

    int Begun = 0;
};

class ScriptedOpener final : public wendrix::LogSourceOpener
{
public:
    ScriptedOpener(const Script& script, std::string_view log)
        : m_script(script),
          m_log(log)
    {
    }
    [[nodiscard]] std::unique_ptr<wendrix::AdifByteSource>
    Open(const std::filesystem::path& file) override
    {
        if (file != kLog) {
            return nullptr;
        }
        if (m_script.HasBadSpot) {
            return std::make_unique<wendrix::test::FaultySource>(
                std::string(m_log), wendrix::test::BadSpot{m_script.BadOffset, m_script.BadLength});
        }
        return std::make_unique<wendrix::AdifMemorySource>(m_log, m_script.Piece);
    }

private:
    const Script& m_script;
    std::string_view m_log;
};

void CheckMatrix(const wendrix::ConfirmationMatrix& matrix, int entities)
{
    using wendrix::BandIndex;
    using wendrix::ModeIndex;
    const BandIndex all{wendrix::kAllBands};
    const ModeIndex mixed{wendrix::kModeMixed};
    wendrix::ColumnSumTable recount{};
    bool anyTicked = false;
    for (int e = 1; e <= wendrix::ConfirmationMatrix::kMaxEntities; ++e) {
        for (int b = 0; b < wendrix::kBandCount; ++b) {
            for (int m = 0; m < wendrix::kModeCount; ++m) {
                if (!matrix.IsTicked(e, BandIndex{b}, ModeIndex{m})) {
                    continue;
                }
                anyTicked = true;
                ++recount[static_cast<std::size_t>(b)][static_cast<std::size_t>(m)];
                Check(e <= entities, "a ticked row past the catalogue");
                Check(wendrix::IsUsableCell(b, m), "the 30 m Fone cell is ticked");
                Check(matrix.IsTicked(e, BandIndex{b}, mixed), "a ticked cell without its Mixed");
                Check(matrix.IsTicked(e, all, ModeIndex{m}),
                      "a ticked cell without its all-bands cell");
                Check(matrix.IsTicked(e, all, mixed), "a ticked cell without all-bands Mixed");
            }
        }
    }
    Check(recount == matrix.ColumnSums(), "the column sums differ from a recount");
    Check(!anyTicked || matrix.Modified(), "ticked cells, but the matrix is not modified");
}

Script ReadScript(const std::uint8_t*& data, std::size_t& size)
{
    Script script;
    if (size < 4) {
        return script;
    }
    script.CountEqsl = (data[0] & 1) != 0;
    script.ShowReport = (data[0] & 2) != 0;
    script.Twice = (data[0] & 4) != 0;
    script.WithMissing = (data[0] & 8) != 0;
    script.Piece = data[0] >> 4;
    script.Answers = data[1];
    script.HasBadSpot = data[2] != 0;
    script.BadOffset = std::size_t{data[2]} * ((data[3] & 0x1F) + 1u);
    script.BadLength = (data[3] >> 5) & 3u;
    script.AbortOnError = (data[3] & 0x80) != 0;
    data += 4;
    size -= 4;
    return script;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Fixture fixture;
    const Script script = ReadScript(data, size);
    const std::string_view log(reinterpret_cast<const char*>(data), size);

    auto matrix = std::make_unique<wendrix::ConfirmationMatrix>();
    ScriptedPrompts prompts(script, fixture.Catalogue);
    CheckingProgress progress;
    CheckingReport report;
    ScriptedOpener opener(script, log);
    wendrix::ImportRun run(fixture.Resolver, *matrix, prompts, progress, report, opener);
    const wendrix::ImportOutcome outcome = run.Run();

    Check(report.Begun == 1, "the report begins once per run");
    Check(outcome.countEqsl == script.CountEqsl, "the eQSL answer is kept");
    const auto& counters = outcome.counters;
    Check(counters.confirmed <= counters.imported, "more confirmed than imported records");
    Check(counters.withoutCode <= counters.confirmed, "more without code than confirmed");
    Check(counters.determined + counters.unclear == counters.withoutCode,
          "determined and unclear do not add up to those without code");
    Check(counters.bytesSkipped >= 0 &&
              counters.bytesSkipped <= static_cast<std::int64_t>(log.size()) * 2,
          "more bytes skipped than read");
    if (outcome.end == wendrix::ImportEnd::AbortedOnReadError) {
        Check(script.AbortOnError && prompts.ReadErrors > 0, "an abort nobody asked for");
        Check(prompts.Summaries == 0 && outcome.summary.empty(), "a summary after an abort");
    } else {
        Check(outcome.end == wendrix::ImportEnd::Completed, "the run ends completed");
        Check(prompts.Summaries == 1 && !outcome.summary.empty(), "one summary per run");
        Check(!outcome.showReport || script.ShowReport, "the report shown without the user asking");
    }
    Check(outcome.end != wendrix::ImportEnd::Cancelled && matrix->Modified(),
          "the run leaves the list unmarked");
    CheckMatrix(*matrix, fixture.Catalogue.EntityCount());
    return 0;
}
