// SPDX-License-Identifier: GPL-3.0-or-later
// Times the import run as the desktop program does it: in the main window offscreen, with its
// progress window and report window, every question answered at once (eQSL no, entities found
// from call signs taken for the whole run, no report shown). Prints the median of the runs in
// milliseconds; window-import.sh sets it beside the same import by wendrix-cli.
//   wendrix-window-import LOG [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QTemporaryDir>

#include "catalogue/EntityCatalogue.h"
#include "matrix/ConfirmationMatrix.h"
#include "ui/TKvMainForm.h"
#include "ui/member/MemberWindowFlows.h"

namespace {

using namespace wendrix;

class Answers final : public ui::FlowPrompts
{
public:
    bool AskCountEqsl() override { return false; }
    std::vector<std::filesystem::path> ChooseLogFiles() override { return {}; }
    ReadErrorAnswer AskOnReadError(const std::filesystem::path&) override
    {
        return ReadErrorAnswer::Abort;
    }
    EntityAnswer AskTakeEntity(const EntityQuestion&) override { return EntityAnswer::YesToAll; }
    bool AskShowReport(std::string_view) override { return false; }
    bool AskCountOtherStation(const OtherStationQuestion&) override { return true; }
    void ShowSummary(std::string_view) override {}
    void ShowError(std::string_view) override {}
    void ShowFileError(std::string_view) override {}
    bool AskOverwriteList() override { return true; }
    bool AskSaveOnClose() override { return false; }
    std::optional<std::string> ChooseListFile(std::span<const std::string>) override
    {
        return std::nullopt;
    }
    void ShowReport(std::string_view, std::span<const std::string>, bool) override {}
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: wendrix-window-import LOG [RUNS]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication application(argc, argv);
    const std::filesystem::path log = std::filesystem::absolute(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    const EntityCatalogue catalogue = BuildEntityCatalogue();
    QTemporaryDir directory;
    Answers answers;
    std::vector<double> milliseconds;
    for (int run = 0; run < runs; ++run) {
        ConfirmationMatrix matrix;
        ui::TKvMainForm window(catalogue, matrix, ui::TickPainters(catalogue, matrix));
        ui::MemberWindowFlows flows(window, catalogue, matrix, directory.path().toStdString(),
                                    &answers);
        window.show();
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        flows.ImportLogs({log});
        const auto end = std::chrono::steady_clock::now();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("window-import-ms %.1f\n", milliseconds[milliseconds.size() / 2]);
    return 0;
}
