// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix: the desktop program. Builds the program's state (catalogue, matrix and, for the
// evaluation, its figures and thresholds store), the main window and the flows of the job the
// command line asks for, then runs the message loop.
#include <exception>
#include <filesystem>
#include <future>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

#include "FirstPaintHook.h"
#include "catalogue/EntityCatalogue.h"
#include "common/ProgramVersion.h"
#include "evaluation/Evaluation.h"
#include "matrix/ConfirmationMatrix.h"
#include "session/CommandLine.h"
#include "ui/FileNames.h"
#include "ui/TKvMainForm.h"
#include "ui/evaluation/EvaluationWindowFlows.h"
#include "ui/member/MemberWindowFlows.h"
#include "ui/settings/UserSettings.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: wendrix [RESULT] [DIRECTORY]\n"
    "  or:  wendrix --help | --version\n"
    "\n"
    "The desktop program of Wendrix, for a radio club's yearly survey of confirmed\n"
    "DXCC entities.\n"
    "\n"
    "Without RESULT a member station works on its own survey list: an earlier list\n"
    "in DIRECTORY is read at start-up (several are offered for choice), ADIF logs are\n"
    "imported in the window, and the list is saved there as CALL.CFD. Without\n"
    "DIRECTORY the lists are kept in the program's folder or, where that cannot be\n"
    "written, in ~/Documents/Wendrix.\n"
    "\n"
    "With RESULT the club's evaluation reads every list of DIRECTORY, counts each\n"
    "band and mode class against the per-band thresholds and saves the per-mille\n"
    "table Wendrix.TXT there.\n"
    "\n"
    "RESULT is taken in any case and in any order with DIRECTORY; a parameter that is\n"
    "neither RESULT nor an existing directory is ignored.\n"
    "\n"
    "The command-line tool wendrix-cli does the same work without a window.\n"
    "\n"
    "Options:\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

// --help and --version are answered before the toolkit starts, so they work without a display
// (packaging tools run them at build time) and open no window.
std::optional<int> AnswerInformationRequest(int argc, char** argv)
{
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument(argv[index]);
        if (argument == "--help" || argument == "--version") {
            std::cout << (argument == "--help" ? std::string(kHelp)
                                               : wendrix::VersionText("wendrix"));
            std::cout.flush();
            return std::cout ? 0 : 1;
        }
    }
    return std::nullopt;
}

// Where the lists go when the program's own directory cannot take them (a system-wide
// installation): a folder of the user's documents.
std::filesystem::path UserListFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) {
        documents = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    }
    return wendrix::ui::PathFromQString(documents) / "Wendrix";
}

template <typename Flows>
int ShowAndRun(wendrix::ui::TKvMainForm& window, Flows& flows, QSettings* settings,
               std::optional<std::string> notice)
{
    flows.SetSettings(settings);
    if (notice) {
        flows.SetStartupNotice(std::move(*notice));
    }
    wendrix::app::FirstPaintHook hook(window);
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> status = AnswerInformationRequest(argc, argv)) {
        return *status;
    }
    // The catalogue is the core's own work and needs no toolkit: it is built on a thread of its
    // own while the toolkit starts and reads the font database, which the first control with
    // text would wait for anyway. (Where no thread can be started it is built on the first
    // get(), as before.)
    auto catalogueBuild = std::async(std::launch::async | std::launch::deferred,
                                     [] { return wendrix::BuildEntityCatalogue(); });
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wendrix"));
#ifdef WENDRIX_APP_ID
    // Wayland compositors find the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(WENDRIX_APP_ID));
#endif
    try {
        // Reads the font database and loads the default font, in which the first edit control
        // lays out its text while it is being made.
        static_cast<void>(QFontMetrics(QApplication::font()).ascent());
        const wendrix::EntityCatalogue catalogue = catalogueBuild.get();
        wendrix::ConfirmationMatrix matrix;
        const std::unique_ptr<QSettings> settings = wendrix::OpenUserSettings();

        std::vector<std::string> parameters;
        for (const QString& argument : QApplication::arguments().mid(1)) {
            parameters.push_back(argument.toStdString());
        }
        const wendrix::StartupChoice choice = wendrix::ParseCommandLine(
            parameters, wendrix::ui::PathFromQString(QApplication::applicationDirPath()));
        const std::filesystem::path listDirectory =
            wendrix::UsableListDirectory(choice, UserListFolder);
        std::optional<std::string> notice = wendrix::MissingDirectoryNotice(choice, listDirectory);

        // The main window and the flows of the job the command line asks for; the flows make
        // their progress, report and selection windows when they first need them.
        if (choice.EvaluationMode) {
            wendrix::Evaluation evaluation;
            const auto thresholds = wendrix::OpenUserThresholdStore();
            wendrix::ui::TKvMainForm window(catalogue, matrix,
                                            wendrix::ui::SharePainters(catalogue, evaluation));
            wendrix::ui::EvaluationWindowFlows flows(window, catalogue, matrix, evaluation,
                                                     listDirectory, *thresholds);
            return ShowAndRun(window, flows, settings.get(), std::move(notice));
        }
        wendrix::ui::TKvMainForm window(catalogue, matrix,
                                        wendrix::ui::TickPainters(catalogue, matrix));
        wendrix::ui::MemberWindowFlows flows(window, catalogue, matrix, listDirectory);
        return ShowAndRun(window, flows, settings.get(), std::move(notice));
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Wendrix"), QString::fromUtf8(error.what()));
        return 1;
    }
}
