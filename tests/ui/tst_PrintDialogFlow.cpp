// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "catalogue/EntityCatalogue.h"
#include "common/Dates.h"
#include "matrix/Bands.h"
#include "matrix/ConfirmationMatrix.h"
#include "ui/print/PrintDialogFlow.h"

using wendrix::PrintOutcome;

namespace {

// The output of a poppler-utils program (installed by the set-up).
QString Poppler(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        QTest::qFail(qPrintable(program + QStringLiteral(" failed")), __FILE__, __LINE__);
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-f"), number, QStringLiteral("-l"),
                                                 number, pdf, QStringLiteral("-")});
}

bool Has(const QString& text, const char* pattern)
{
    return text.contains(QRegularExpression(QLatin1String(pattern)));
}

}  // namespace

class TestPrintDialogFlow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<wendrix::EntityCatalogue> m_catalogue;
    std::unique_ptr<wendrix::ConfirmationMatrix> m_matrix;
    std::unique_ptr<QTemporaryDir> m_directory;
    std::unique_ptr<QPrinter> m_printer;

    QString PdfPath() const { return m_directory->filePath(QStringLiteral("out.pdf")); }

    PrintOutcome Run(const wendrix::PrintDialogQuestion& ask)
    {
        return wendrix::RunPrintFlow(*m_printer, nullptr, QStringLiteral("DA0WDX"), *m_catalogue,
                                     *m_matrix, ask);
    }

private slots:
    void initTestCase()
    {
        m_catalogue = std::make_unique<wendrix::EntityCatalogue>(wendrix::BuildEntityCatalogue());
    }

    void init()
    {
        m_matrix = std::make_unique<wendrix::ConfirmationMatrix>();
        m_directory = std::make_unique<QTemporaryDir>();
        QVERIFY(m_directory->isValid());
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(PdfPath());
    }

    void cancellingPrintsNothing()
    {
        int asked = 0;
        const auto cancel = [&asked](QPrinter&, QWidget*) {
            ++asked;
            return false;
        };
        QCOMPARE(Run(cancel), PrintOutcome::Cancelled);
        QCOMPARE(asked, 1);
        QVERIFY(!QFile::exists(PdfPath()));
    }

    // Whatever orientation the dialog left, there are two portrait pages, and their texts stay
    // text that a reader finds.
    void confirmingPrintsTwoPortraitPages_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::newRow("portrait") << false;
        QTest::newRow("landscape") << true;
    }

    void confirmingPrintsTwoPortraitPages()
    {
        QFETCH(bool, landscape);
        // W, on page 2: 20 m CW and 6 m Fone.
        const int w = m_catalogue->FindEntityByPrefix("W");
        QVERIFY(w > 170);
        QVERIFY(m_matrix->SetCell(w, wendrix::BandIndex{4}, wendrix::ModeIndex{wendrix::kModeCw},
                                  wendrix::CellOperation::Set));
        QVERIFY(m_matrix->SetCell(w, wendrix::BandIndex{9}, wendrix::ModeIndex{wendrix::kModeFone},
                                  wendrix::CellOperation::Set));
        const QString before = QString::fromStdString(wendrix::FormatDateKey(wendrix::TodayUtc()));
        QCOMPARE(Run([landscape](QPrinter& printer, QWidget*) {
                     printer.setPageOrientation(landscape ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
                     return true;
                 }),
                 PrintOutcome::Printed);
        const QString after = QString::fromStdString(wendrix::FormatDateKey(wendrix::TodayUtc()));

#ifdef Q_OS_WIN
        // poppler-utils are not there for a Windows program (under Wine neither): the pages and
        // their size are read from the file's page objects, the texts only in the Linux run.
        QFile pdf(PdfPath());
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QString objects = QString::fromLatin1(pdf.readAll());
        QCOMPARE(objects.count(QRegularExpression(QStringLiteral("/Type /Page\\b(?!s)"))), 2);
        auto box = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
                       .globalMatch(objects);
        int boxes = 0;
        while (box.hasNext()) {
            const QRegularExpressionMatch size = box.next();
            QVERIFY(size.captured(1).toDouble() < size.captured(2).toDouble());
            ++boxes;
        }
        QVERIFY(boxes > 0);
        QSKIP("the page texts are read with poppler-utils, which only the Linux run has");
#endif
        const QString info = Poppler(QStringLiteral("pdfinfo"), {PdfPath()});
        QVERIFY2(Has(info, "Pages:\\s+2\\n"), qPrintable(info));
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)")).match(info);
        QVERIFY(size.hasMatch());
        QVERIFY(size.captured(1).toDouble() < size.captured(2).toDouble());

        const QString page1 = PageText(PdfPath(), 1);
        const QString page2 = PageText(PdfPath(), 2);
        QVERIFY(page1.contains(QStringLiteral("DA0WDX")));
        QVERIFY(page1.contains(QStringLiteral("Confirmed ") + before) ||
                page1.contains(QStringLiteral("Confirmed ") + after));
        QVERIFY(page1.contains(QStringLiteral("1A0")) && !page1.contains(QStringLiteral("ZS8")));
        QVERIFY(page2.contains(QStringLiteral("ZS8")) && !page2.contains(QStringLiteral("DA0WDX")));
        QVERIFY2(Has(page2, "5-B-Mix: 1\\b") && Has(page2, "9-B-Mix: 1\\b") &&
                     Has(page2, "10-B-Mix: 2\\b") && Has(page2, "Slot-26: 1\\b"),
                 qPrintable(page2));
        // The Mixed totals of the ten bands, padded to three digits.
        QCOMPARE(page2.count(QStringLiteral("001")), 2);
        QCOMPARE(page2.count(QStringLiteral("000")), 8);
    }

    void unwritableOutputFails()
    {
        m_printer->setOutputFileName(m_directory->filePath(QStringLiteral("missing/out.pdf")));
        QCOMPARE(Run([](QPrinter&, QWidget*) { return true; }), PrintOutcome::Failed);
    }
};

QTEST_MAIN(TestPrintDialogFlow)
#include "tst_PrintDialogFlow.moc"
