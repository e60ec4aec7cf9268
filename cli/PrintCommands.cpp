// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix-cli print: writes the two-page print-out of a survey list file as a PDF, without a
// display, so the paper form can be checked or sent without a printer.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <QtGlobal>

#include "Commands.h"
#include "common/Dates.h"
#include "lists/ListFiles.h"
#include "lists/LoadList.h"
#include "matrix/ConfirmationMatrix.h"
#include "ui/print/PrintOut.h"
#include "common/Utf8Path.h"

namespace wendrix::cli {

namespace {

// A laser printer's resolution and unprintable border, so the PDF looks like the paper copy.
constexpr int kPdfResolution = 600;
constexpr double kPdfBorderMillimetres = 6.0;

void PrintPdf(const EntityCatalogue& catalogue, const std::string& file, const std::string& pdf)
{
    const std::filesystem::path path = PathFromUtf8(file);
    auto matrix = std::make_unique<ConfirmationMatrix>();
    const std::string fileName = PathToUtf8(path.filename());
    const ListLoadResult result = LoadList(path.parent_path().empty() ? "." : path.parent_path(),
                                           fileName, ListReadMode::Normal, catalogue, *matrix);
    if (!result.ReportLines.empty()) {
        std::cerr << ListReportCaption(fileName) << ":\n";
        for (const std::string& line : result.ReportLines) {
            std::cerr << "  " << line << '\n';
        }
    }
    if (!result.Reading) {
        std::cerr << result.Reading.Message() << '\n';
        throw CLI::RuntimeError(2);
    }

    // Fonts and the PDF engine need a GUI application, but no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int argc = 1;
    char name[] = "wendrix-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    QPdfWriter writer(QString::fromStdString(pdf));
    writer.setResolution(kPdfResolution);
    writer.setCreator(QStringLiteral("Wendrix"));
    writer.setTitle(QStringLiteral("Confirmed DXCC entities ") +
                    QString::fromStdString(result.CallSign));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kPdfBorderMillimetres, kPdfBorderMillimetres,
                                               kPdfBorderMillimetres, kPdfBorderMillimetres),
                                     QPageLayout::Millimeter));
    const PrintOutContent content{QString::fromStdString(result.CallSign), TodayUtc(), catalogue,
                                  *matrix};
    if (!PrintBothPages(writer, content)) {
        std::cerr << "wendrix-cli: cannot write " << pdf << '\n';
        throw CLI::RuntimeError(3);
    }
    std::cout << "Wrote " << pdf << " (2 pages)\n";
}

}  // namespace

void RegisterPrintCommands(CLI::App& app, const EntityCatalogue& catalogue)
{
    auto file = std::make_shared<std::string>();
    auto pdf = std::make_shared<std::string>();
    CLI::App* print = app.add_subcommand(
        "print", "Write the two-page print-out of a survey list file (CALL.CFD) as a PDF");
    print->add_option("--pdf", *pdf, "The PDF file to write")->required();
    print->add_option("file", *file, "The list file, with its directory")->required();
    print->callback([&catalogue, file, pdf]() { PrintPdf(catalogue, *file, *pdf); });
}

}  // namespace wendrix::cli
