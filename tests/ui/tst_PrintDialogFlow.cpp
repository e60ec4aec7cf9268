#include <memory>

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "catalogue/EntityCatalogue.h"
#include "common/Dates.h"
#include "matrix/Bands.h"
#include "matrix/ConfirmationMatrix.h"
#include "ui/print/PrintDialogFlow.h"

using wendrix::BandIndex;
using wendrix::CellOperation;
using wendrix::ConfirmationMatrix;
using wendrix::EntityCatalogue;
using wendrix::ModeIndex;
using wendrix::PrintOutcome;

namespace {

// Output of a poppler tool; an empty string when it failed.
QString Poppler(const QString& tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        QTest::qFail(qPrintable(tool + QStringLiteral(" is missing (poppler-utils)")), __FILE__,
                     __LINE__);
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return Poppler(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QStringLiteral("-f"), number, QStringLiteral("-l"),
                    number, pdf, QStringLiteral("-")});
}

QString DateText(wendrix::DateKey date)
{
    return QString::fromStdString(wendrix::FormatDateKey(date));
}

}  // namespace

class TestPrintDialogFlow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EntityCatalogue> m_catalogue;
    std::unique_ptr<ConfirmationMatrix> m_matrix;
    std::unique_ptr<QTemporaryDir> m_directory;

    QString PdfPath() const { return m_directory->filePath(QStringLiteral("out.pdf")); }

    static void ToPdf(QPrinter& printer, const QString& path)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    }

private slots:
    void initTestCase()
    {
        m_catalogue = std::make_unique<EntityCatalogue>(wendrix::BuildEntityCatalogue());
    }

    void init()
    {
        m_matrix = std::make_unique<ConfirmationMatrix>();
        m_directory = std::make_unique<QTemporaryDir>();
        QVERIFY(m_directory->isValid());
    }

    void cancellingPrintsNothing()
    {
        QPrinter printer(QPrinter::HighResolution);
        ToPdf(printer, PdfPath());
        int asked = 0;
        const PrintOutcome outcome = wendrix::RunPrintFlow(
            printer, nullptr, QStringLiteral("DA0WDX"), *m_catalogue, *m_matrix,
            [&asked](QPrinter&, QWidget*) {
                ++asked;
                return false;
            });
        QCOMPARE(outcome, PrintOutcome::Cancelled);
        QCOMPARE(asked, 1);
        QVERIFY(!QFile::exists(PdfPath()));
    }

    // Whatever orientation the dialog left, the print-out has two portrait pages, and its texts
    // stay text a reader can search.
    void confirmingPrintsTwoPortraitPages_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::newRow("portrait") << false;
        QTest::newRow("landscape") << true;
    }

    void confirmingPrintsTwoPortraitPages()
    {
        QFETCH(bool, landscape);
        const QPageLayout::Orientation chosen =
            landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        // W is on page 2: 20 m CW and 6 m Fone.
        const int w = m_catalogue->FindEntityByPrefix("W");
        QVERIFY(w > 170);
        QVERIFY(m_matrix->SetCell(w, BandIndex{4}, ModeIndex{wendrix::kModeCw},
                                  CellOperation::Set));
        QVERIFY(m_matrix->SetCell(w, BandIndex{9}, ModeIndex{wendrix::kModeFone},
                                  CellOperation::Set));

        QPrinter printer(QPrinter::HighResolution);
        ToPdf(printer, PdfPath());
        const wendrix::DateKey before = wendrix::TodayUtc();
        const PrintOutcome outcome = wendrix::RunPrintFlow(
            printer, nullptr, QStringLiteral("DA0WDX"), *m_catalogue, *m_matrix,
            [chosen](QPrinter& asked, QWidget*) {
                asked.setPageOrientation(chosen);
                return true;
            });
        const wendrix::DateKey after = wendrix::TodayUtc();
        QCOMPARE(outcome, PrintOutcome::Printed);

        const QString info = Poppler(QStringLiteral("pdfinfo"), {PdfPath()});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))),
                 qPrintable(info));
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)")).match(info);
        QVERIFY2(size.hasMatch(), qPrintable(info));
        QVERIFY(size.captured(1).toDouble() < size.captured(2).toDouble());

        const QString page1 = PageText(PdfPath(), 1);
        const QString page2 = PageText(PdfPath(), 2);
        QVERIFY(page1.contains(QStringLiteral("DA0WDX")));
        QVERIFY(page1.contains(QStringLiteral("Confirmed ") + DateText(before)) ||
                page1.contains(QStringLiteral("Confirmed ") + DateText(after)));
        QVERIFY(page1.contains(QStringLiteral("1A0")));
        QVERIFY(!page1.contains(QStringLiteral("ZS8")));
        QVERIFY(!page2.contains(QStringLiteral("Confirmed")));
        QVERIFY(page2.contains(QStringLiteral("ZS8")));
        QVERIFY(page2.contains(QStringLiteral("Entity")));
        // 20 m and 6 m: 5-B counts the one, 10-B both; Slot 26 only 20 m CW.
        QVERIFY2(page2.contains(QRegularExpression(QStringLiteral("5-B-Mix: 1\\b"))),
                 qPrintable(page2));
        QVERIFY(page2.contains(QRegularExpression(QStringLiteral("9-B-Mix: 1\\b"))));
        QVERIFY(page2.contains(QRegularExpression(QStringLiteral("10-B-Mix: 2\\b"))));
        QVERIFY(page2.contains(QRegularExpression(QStringLiteral("Slot-26: 1\\b"))));
        // Mixed totals of the ten bands with leading zeros: two of them "001".
        QCOMPARE(page2.count(QStringLiteral("001")), 2);
        QCOMPARE(page2.count(QStringLiteral("000")), 8);
    }

    void unwritableOutputFails()
    {
        QPrinter printer(QPrinter::HighResolution);
        ToPdf(printer, m_directory->filePath(QStringLiteral("missing/out.pdf")));
        const PrintOutcome outcome =
            wendrix::RunPrintFlow(printer, nullptr, QStringLiteral("DA0WDX"), *m_catalogue,
                                  *m_matrix, [](QPrinter&, QWidget*) { return true; });
        QCOMPARE(outcome, PrintOutcome::Failed);
    }
};

QTEST_MAIN(TestPrintDialogFlow)
#include "tst_PrintDialogFlow.moc"
