// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix: the desktop program. Builds the program's state (catalogue, matrix, evaluation,
// thresholds store), the main window and the flows behind it, then runs the message loop.
#include <exception>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

#include "FirstPaintHook.h"
#include "catalogue/EntityCatalogue.h"
#include "lists/Evaluation.h"
#include "matrix/ConfirmationMatrix.h"
#include "session/CommandLine.h"
#include "ui/FileNames.h"
#include "ui/MainWindowFlows.h"
#include "ui/TKvMainForm.h"
#include "ui/settings/UserSettings.h"

namespace {

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

}  // namespace

int main(int argc, char** argv)
{
    // The catalogue is the core's own work and needs no toolkit: it is built on a thread of its
    // own while the toolkit starts and reads the font database, which the first control with
    // text would wait for anyway. (Where no thread can be started it is built on the first
    // get(), as before.)
    auto catalogueBuild = std::async(std::launch::async | std::launch::deferred,
                                     [] { return wendrix::BuildEntityCatalogue(); });
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wendrix"));
    try {
        // Reads the font database and loads the default font, in which the first edit control
        // lays out its text while it is being made.
        static_cast<void>(QFontMetrics(QApplication::font()).ascent());
        const wendrix::EntityCatalogue catalogue = catalogueBuild.get();
        wendrix::ConfirmationMatrix matrix;
        wendrix::Evaluation evaluation;
        const auto thresholds = wendrix::OpenUserThresholdStore();
        const std::unique_ptr<QSettings> settings = wendrix::OpenUserSettings();

        std::vector<std::string> parameters;
        for (const QString& argument : QApplication::arguments().mid(1)) {
            parameters.push_back(argument.toStdString());
        }
        const wendrix::StartupChoice choice = wendrix::ParseCommandLine(
            parameters, wendrix::ui::PathFromQString(QApplication::applicationDirPath()));
        const std::filesystem::path listDirectory =
            wendrix::UsableListDirectory(choice, UserListFolder);

        // The main window and the flows behind it; the flows make their progress, report and
        // selection windows when they first need them.
        wendrix::ui::TKvMainForm window(catalogue, matrix, evaluation, choice.EvaluationMode);
        wendrix::ui::MainWindowFlows flows(window, catalogue, matrix, evaluation, listDirectory,
                                           *thresholds);
        flows.SetSettings(settings.get());
        if (auto notice = wendrix::MissingDirectoryNotice(choice, listDirectory)) {
            flows.SetStartupNotice(std::move(*notice));
        }
        wendrix::app::FirstPaintHook hook(window);
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Wendrix"), QString::fromUtf8(error.what()));
        return 1;
    }
}
