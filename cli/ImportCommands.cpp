// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix-cli import: the desktop's import run without windows. The station's list is read from
// DIR/CALL.CFD (when there is one), the logs are imported with the answers given as flags, the
// summary and the report are printed, and the list is written back safely.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "TerminalPrompts.h"
#include "common/ReadableFile.h"
#include "common/Text.h"
#include "import/ImportRun.h"
#include "lists/ListFiles.h"
#include "matrix/ConfirmationMatrix.h"
#include "session/CallSign.h"
#include "session/MemberSession.h"
#include "common/Utf8Path.h"

namespace wendrix::cli {

namespace {

constexpr int kExitBadInput = 1;
constexpr int kExitReadError = 2;
constexpr int kExitWriteError = 3;

struct ImportOptions
{
    std::string call;
    std::string directory = ".";
    bool countEqsl = false;
    std::string resolved = "accept";
    std::string otherStations;  // "take" or "skip"; empty: take, with a warning
    std::vector<std::string> logs;
};

[[noreturn]] void Fail(const std::string& message, int exitCode)
{
    std::cerr << "wendrix-cli import: " << message << '\n';
    throw CLI::RuntimeError(exitCode);
}

// The own call sign as the desktop's call-sign edit accepts it: upper case, only A-Z, 0-9, "-"
// and "_", and more than three characters (a shorter one cannot be saved).
std::string CheckedCallSign(std::string_view text)
{
    const std::string call = FilterCallSign(text);
    if (call != AsciiUpper(text)) {
        Fail("the call sign \"" + ForTerminal(text, StderrIsTerminal()) +
                 "\" may hold only the letters A-Z, the digits 0-9, \"-\" and \"_\"",
             kExitBadInput);
    }
    if (!UploadHint(call)) {
        Fail(std::string(kCallTooShortText) + " (the call sign needs at least 4 characters)",
             kExitBadInput);
    }
    return call;
}

// Every log must be a file that can be read; the desktop never offers anything else. The probe
// never waits, whatever the name turns out to be (a named pipe would block a plain open).
std::filesystem::path CheckedLog(const std::string& name)
{
    const std::filesystem::path path = PathFromUtf8(name);
    const ReadableFile probe = OpenReadableFile(path);
    if (probe.File == nullptr) {
        const std::string_view reason = probe.Kind == FileKind::Missing      ? "no such file"
                                        : probe.Kind == FileKind::Unreadable ? "no permission"
                                                                             : "not a regular file";
        Fail("cannot read the log " + ForTerminal(name, StderrIsTerminal()) + " (" +
                 std::string(reason) + ")",
             kExitBadInput);
    }
    std::fclose(probe.File);
    std::error_code error;
    return std::filesystem::absolute(path, error);
}

// The terminal state shared by the progress bar and the report, so that a report line never
// lands in the middle of the bar.
struct Terminal
{
    bool barShown = false;
    bool reportOnTerminal = StdoutIsTerminal();

    void ClearBar()
    {
        if (barShown) {
            std::cerr << "\r\033[K" << std::flush;
            barShown = false;
        }
    }
};

// A bar on stderr, only on a terminal and only for a file that takes a moment to read.
class TerminalProgress final : public ImportProgress
{
public:
    explicit TerminalProgress(Terminal& terminal)
        : m_terminal(terminal),
          m_enabled(StderrIsTerminal())
    {
    }

    void ShowProgress(std::string_view upperText, std::string_view /*lowerText*/,
                      int /*percent*/) override
    {
        m_text = upperText;
        m_started = std::chrono::steady_clock::now();
    }

    [[nodiscard]] bool StepProgress(int percent) override
    {
        constexpr auto kQuietTime = std::chrono::milliseconds(300);
        if (!m_enabled || std::chrono::steady_clock::now() - m_started < kQuietTime) {
            return true;
        }
        constexpr int kWidth = 30;
        const int filled = percent * kWidth / 100;
        std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] "
                  << PadLeftSpaces(std::to_string(percent), 3) << "% " << ForTerminal(m_text, true)
                  << std::flush;
        m_terminal.barShown = true;
        return true;
    }

    void HideProgress() override { m_terminal.ClearBar(); }

private:
    Terminal& m_terminal;
    bool m_enabled;
    std::string m_text;
    std::chrono::steady_clock::time_point m_started;
};

// Report lines go to stdout as they arrive, under the report's caption.
class TerminalReport final : public ImportReport
{
public:
    explicit TerminalReport(Terminal& terminal)
        : m_terminal(terminal)
    {
    }

    void BeginReport(std::string_view caption) override
    {
        m_caption = caption;
        m_lines = 0;
    }
    void AddLine(std::string_view line) override
    {
        if (m_terminal.reportOnTerminal) {
            m_terminal.ClearBar();
        }
        if (m_lines++ == 0) {
            std::cout << m_caption << ":\n";
        }
        WriteLine(std::cout, "  ", line, m_terminal.reportOnTerminal);
    }
    [[nodiscard]] std::uint64_t LineCount() const { return m_lines; }

private:
    Terminal& m_terminal;
    std::string m_caption;
    std::uint64_t m_lines = 0;
};

// The questions answered from the command line.
class FlagPrompts final : public ImportPrompts
{
public:
    FlagPrompts(const ImportOptions& options, std::vector<std::filesystem::path> logs,
                Terminal& terminal)
        : m_options(options),
          m_logs(std::move(logs)),
          m_terminal(terminal)
    {
    }

    [[nodiscard]] bool AskCountEqsl() override { return m_options.countEqsl; }
    [[nodiscard]] std::vector<std::filesystem::path> ChooseLogFiles() override { return m_logs; }
    [[nodiscard]] ReadErrorAnswer AskOnReadError(const std::filesystem::path& file) override
    {
        m_terminal.ClearBar();
        std::cerr << "wendrix-cli import: " << ForTerminal(ReadErrorText(file), StderrIsTerminal())
                  << '\n';
        return ReadErrorAnswer::Abort;
    }
    [[nodiscard]] EntityAnswer AskTakeEntity(const EntityQuestion& /*question*/) override
    {
        return m_options.resolved == "reject" ? EntityAnswer::NoToAll : EntityAnswer::YesToAll;
    }
    [[nodiscard]] bool AskShowReport(std::string_view summary) override
    {
        PrintSummary(summary);
        return true;
    }
    [[nodiscard]] bool AskCountOtherStation(const OtherStationQuestion& question) override
    {
        const bool take = m_options.otherStations != "skip";
        if (m_options.otherStations.empty()) {
            // Scripts written before the question keep their result, and hear about it.
            m_terminal.ClearBar();
            std::cerr << "wendrix-cli import: warning: "
                      << ForTerminal(PathToUtf8(question.file), StderrIsTerminal())
                      << " holds QSOs of " << question.stationCall << ", not of "
                      << question.ownCall
                      << "; they are counted (--other-stations skip leaves them out)\n";
        }
        return take;
    }
    void ShowSummary(std::string_view summary) override { PrintSummary(summary); }

private:
    // The summary lines without the question that the desktop asks after them: the report is
    // printed in any case.
    void PrintSummary(std::string_view summary)
    {
        std::cout << '\n';
        while (!summary.empty()) {
            const std::size_t end = summary.find("\r\n");
            const std::string_view line = summary.substr(0, end);
            if (!line.empty() && line != kShowReportQuestion) {
                std::cout << line << '\n';
            }
            summary = end == std::string_view::npos ? std::string_view{} : summary.substr(end + 2);
        }
    }

    const ImportOptions& m_options;
    std::vector<std::filesystem::path> m_logs;
    Terminal& m_terminal;
};

void Import(const EntityCatalogue& catalogue, const ImportOptions& options)
{
    const std::string call = CheckedCallSign(options.call);
    const std::filesystem::path directory = PathFromUtf8(options.directory);
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
        Fail("the directory " + options.directory + " does not exist", kExitBadInput);
    }
    std::vector<std::filesystem::path> logs;
    for (const std::string& log : options.logs) {
        logs.push_back(CheckedLog(log));
    }

    auto matrix = std::make_unique<ConfirmationMatrix>();
    TerminalSessionPrompts sessionPrompts("import");
    MemberSession session(catalogue, *matrix, directory, sessionPrompts);
    session.SetCallSign(call);
    if (std::filesystem::exists(session.ListFilePath(), error)) {
        // The earlier list whatever the case of its name, so that the save replaces it.
        const ListLoadResult loaded =
            session.ReadList(PathToUtf8(session.ListFilePath().filename()));
        if (!loaded.Reading) {
            // Writing now would replace a list we could not read completely.
            Fail("nothing imported, nothing written", kExitReadError);
        }
    }

    Terminal terminal;
    FlagPrompts prompts(options, logs, terminal);
    TerminalProgress progress(terminal);
    TerminalReport report(terminal);
    DiskLogSourceOpener opener;
    const ImportOutcome outcome = session.Import(prompts, progress, report, opener);
    terminal.ClearBar();

    // An aborted run still applied the contacts before the read error; they are saved like the
    // rest, and the exit code tells that the import is incomplete.
    if (!session.Save()) {
        throw CLI::RuntimeError(kExitWriteError);  // the message is printed
    }
    std::cout << "Liste gespeichert: " << PathToUtf8(session.ListFilePath()) << '\n';
    if (outcome.end == ImportEnd::AbortedOnReadError) {
        Fail("import stopped at the read error; the contacts before it are saved", kExitReadError);
    }
}

}  // namespace

void RegisterImportCommands(CLI::App& app, const EntityCatalogue& catalogue)
{
    auto options = std::make_shared<ImportOptions>();
    CLI::App* import = app.add_subcommand(
        "import", "Import ADIF logs into the station's survey list DIR/CALL.CFD, as the desktop "
                  "program does, and save the list");
    import->add_option("--call", options->call, "Own call sign; names the list file CALL.CFD")
        ->required();
    import->add_option("--dir", options->directory,
                       "Directory of the list file (default: the current directory)");
    import->add_flag("--eqsl", options->countEqsl, "Count eQSL confirmations (\"eQSL werten?\")");
    import
        ->add_option("--resolved", options->resolved,
                     "Entities found from call signs: accept all (default) or reject all")
        ->check(CLI::IsMember({"accept", "reject"}));
    import
        ->add_option("--other-stations", options->otherStations,
                     "Records of another station than --call: take (default, with a warning) or "
                     "skip")
        ->check(CLI::IsMember({"take", "skip"}));
    import->add_option("logs", options->logs, "ADIF log files, read in this order")->required();
    import->callback([&catalogue, options]() { Import(catalogue, *options);
});
}  // namespace wendrix::cli

}  // namespace wendrix::cli
