// wendrix: the desktop program. Builds the program's state (catalogue, matrix, evaluation) and
// hands it to the main window.
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>
#include <QMessageBox>

#include "FirstPaintHook.h"
#include "catalogue/EntityCatalogue.h"
#include "lists/Evaluation.h"
#include "lists/LoadList.h"
#include "lists/RunEvaluation.h"
#include "matrix/ConfirmationMatrix.h"
#include "session/CommandLine.h"
#include "ui/TKvMainForm.h"
#include "ui/settings/UserSettings.h"

namespace {

// Until the start-up flow is wired in: the only list of a directory named on the command line
// is read, and with RESULT that directory is evaluated with the stored thresholds.
void ReadGivenDirectory(const wendrix::StartupChoice& choice,
                        const wendrix::EntityCatalogue& catalogue,
                        wendrix::ConfirmationMatrix& matrix, wendrix::Evaluation& evaluation,
                        wendrix::ui::TKvMainForm& window)
{
    if (!choice.DirectoryGiven) {
        return;
    }
    if (choice.EvaluationMode) {
        const auto store = wendrix::OpenUserThresholdStore();
        const auto run = wendrix::RunEvaluation(choice.ListDirectory, catalogue, store->Read(),
                                                matrix, evaluation);
        static_cast<void>(run);
        return;
    }
    bool more = false;
    bool error = false;
    const auto names = wendrix::FindListFiles(choice.ListDirectory, 2, more, error);
    if (names.size() != 1) {
        return;
    }
    const auto result = wendrix::LoadList(choice.ListDirectory, names.front(),
                                          wendrix::ListReadMode::Normal, catalogue, matrix);
    window.SetCallSign(QString::fromStdString(result.CallSign));
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wendrix"));
    try {
        const wendrix::EntityCatalogue catalogue = wendrix::BuildEntityCatalogue();
        wendrix::ConfirmationMatrix matrix;
        wendrix::Evaluation evaluation;

        std::vector<std::string> parameters;
        for (const QString& argument : QApplication::arguments().mid(1)) {
            parameters.push_back(argument.toStdString());
        }
        const wendrix::StartupChoice choice = wendrix::ParseCommandLine(
            parameters, std::filesystem::path(QApplication::applicationDirPath().toStdString()));

        wendrix::ui::TKvMainForm window(catalogue, matrix, evaluation, choice.EvaluationMode);
        ReadGivenDirectory(choice, catalogue, matrix, evaluation, window);
        wendrix::app::FirstPaintHook hook(window);
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Wendrix"), QString::fromUtf8(error.what()));
        return 1;
    }
}
