// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix-cli evaluate: the club evaluation of a directory of survey list files, with its log,
// the result file Wendrix.TXT and the participants line.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "TerminalPrompts.h"
#include "evaluation/ResultFile.h"
#include "evaluation/RunEvaluation.h"
#include "matrix/BandThresholds.h"
#include "session/EvaluationSession.h"

#ifdef WENDRIX_HAVE_QT_SETTINGS
#include "ui/settings/UserSettings.h"
#elif defined(_WIN32)
#include "common/Utf8Path.h"
#include "platform/RegistryThresholdStore.h"
#endif

namespace wendrix::cli {

namespace {

struct EvaluateOptions
{
    std::string Directory;
    std::string Thresholds;
    bool ThresholdsGiven = false;
    bool UseStored = false;
    std::string Report;
    std::string Previous;
    bool Anonymous = false;
};

// Eighteen comma-separated values in BandIndex order, each 0..300.
std::optional<BandThresholds> ParseThresholdList(const std::string& text, std::string& problem)
{
    BandThresholds thresholds;
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string part =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (count < thresholds.minimum.size()) {
            const auto value = CheckThreshold(part);
            if (!value) {
                problem = "value " + std::to_string(count + 1) + " (\"" + part + "\")";
                return std::nullopt;
            }
            thresholds.minimum[count] = *value;
        }
        ++count;
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (count != thresholds.minimum.size()) {
        problem = std::to_string(count) + " values where 18 are needed";
        return std::nullopt;
    }
    return thresholds;
}

// Thresholds given on the command line: read as given, never stored.
class GivenThresholds final : public ThresholdStore
{
public:
    explicit GivenThresholds(const BandThresholds& thresholds)
        : m_thresholds(thresholds)
    {
    }
    [[nodiscard]] BandThresholds Read() const override { return m_thresholds; }
    void Write(const BandThresholds& /*thresholds*/) override {}

private:
    BandThresholds m_thresholds;
};

std::unique_ptr<ThresholdStore> ChooseThresholds(const EvaluateOptions& options)
{
    if (options.ThresholdsGiven) {
        std::string problem;
        const auto parsed = ParseThresholdList(options.Thresholds, problem);
        if (!parsed) {
            std::cerr << ThresholdRangeMessage() << " (--thresholds: " << problem << ")\n";
            throw CLI::RuntimeError(1);
        }
        return std::make_unique<GivenThresholds>(*parsed);
    }
    if (options.UseStored) {
#ifdef WENDRIX_HAVE_QT_SETTINGS
        return OpenUserThresholdStore();
#elif defined(_WIN32)
        return std::make_unique<RegistryThresholdStore>();
#else
        std::cerr << "--use-stored-thresholds: this build keeps no stored thresholds\n";
        throw CLI::RuntimeError(1);
#endif
    }
    return std::make_unique<GivenThresholds>(BandThresholds{});
}

void Evaluate(const EntityCatalogue& catalogue, const EvaluateOptions& options)
{
    const std::unique_ptr<ThresholdStore> store = ChooseThresholds(options);
    const std::filesystem::path directory = PathFromUtf8(options.Directory);
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
        std::cerr << "No such directory: " << ForTerminal(PathToUtf8(directory), StderrIsTerminal())
                  << '\n';
        throw CLI::RuntimeError(2);
    }
    auto matrix = std::make_unique<ConfirmationMatrix>();
    auto evaluation = std::make_unique<Evaluation>();
    TerminalSessionPrompts prompts("evaluate");
    EvaluationSession session(catalogue, *matrix, *evaluation, directory, *store, prompts);
    session.ReadThresholds();
    if (!options.Report.empty()) {
        std::optional<std::filesystem::path> previous;
        if (!options.Previous.empty()) {
            previous = PathFromUtf8(options.Previous);
        }
        session.SetClubReport(PathFromUtf8(options.Report), std::move(previous), options.Anonymous);
    }
    const EvaluationRunResult& run = session.Run();
    if (run.DirectoryError) {
        std::cerr << "Cannot list the directory "
                  << ForTerminal(PathToUtf8(directory), StderrIsTerminal()) << '\n';
        throw CLI::RuntimeError(2);
    }
    if (run.LimitReached) {
        std::cerr << "Only the first " << kMaxEvaluatedFiles
                  << " list files (in name order) were evaluated\n";
    }
    if (!run.FoundAny()) {
        std::cerr << "No list files (*.CFD) in "
                  << ForTerminal(PathToUtf8(directory), StderrIsTerminal())
                  << "; no result file written\n";
        return;
    }
    if (!session.Save()) {
        throw CLI::RuntimeError(3);  // the message is printed
    }
    std::cout << ResultParticipantsLine(*evaluation) << '\n';
    std::cerr << run.FilesRead << " list files evaluated";
    if (run.EntriesSkipped + run.Duplicates > 0) {
        std::cerr << " (passed over: " << run.EntriesSkipped << " entries that are no files, "
                  << run.Duplicates << " second lists of a station)";
    }
    std::cerr << "; result written to "
              << ForTerminal(PathToUtf8(directory / std::string(kResultFileName)),
                             StderrIsTerminal())
              << '\n';
    if (!options.Report.empty()) {
        std::cerr << "Club report written to " << ForTerminal(options.Report, StderrIsTerminal())
                  << '\n';
    }
}

}  // namespace

void RegisterEvaluationCommands(CLI::App& app, const EntityCatalogue& catalogue)
{
    auto options = std::make_shared<EvaluateOptions>();
    CLI::App* evaluate = app.add_subcommand(
        "evaluate", "Evaluate every survey list file (*.CFD) of a directory and write "
                    "Wendrix.TXT there");
    evaluate->add_option("directory", options->Directory, "The directory of the list files")
        ->required();
    auto* given = evaluate->add_option(
        "--thresholds", options->Thresholds,
        "18 minimum column sums T0,...,T17 in band order (160 m ... 3 cm, all bands), each 0..300; "
        "default 75,100 (x9),0 (x7),150");
    auto* stored = evaluate->add_flag("--use-stored-thresholds", options->UseStored,
                                      "Use the thresholds kept in the user's settings");
    given->excludes(stored);
    auto* report = evaluate->add_option(
        "--report", options->Report,
        "Also write the club's report, a self-contained HTML page, to this file");
    evaluate
        ->add_option("--previous", options->Previous,
                     "Last year's result file (Wendrix.TXT) to compare the report with")
        ->needs(report);
    evaluate
        ->add_flag("--anonymous", options->Anonymous,
                   "Leave every call sign and list file name out of the report")
        ->needs(report);
    evaluate->callback([&catalogue, options, given]() {
        options->ThresholdsGiven = given->count() > 0;
        Evaluate(catalogue, *options);
    });
}

}  // namespace wendrix::cli
