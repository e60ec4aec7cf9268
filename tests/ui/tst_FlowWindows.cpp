// SPDX-License-Identifier: GPL-3.0-or-later
// The windows the flows use: progress, report and list selection.
#include <algorithm>
#include <string>
#include <vector>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "ui/WindowPlacement.h"
#include "ui/import/TListForm.h"
#include "ui/import/TbarForm.h"
#include "ui/lists/TKvSelForm.h"

using wendrix::ui::PlaceBeside;
using wendrix::ui::TbarForm;
using wendrix::ui::TKvSelForm;
using wendrix::ui::TListForm;

namespace {

const QProgressBar& Gauge(const TbarForm& bar)
{
    return *bar.findChild<QProgressBar*>(QStringLiteral("Gauge"));
}

// The import never offers the Escape button; a caller that wants the run stoppable shows it.
void ShowEscape(TbarForm& bar)
{
    auto* escape = bar.findChild<QPushButton*>(QStringLiteral("ButtonEsc"));
    escape->setVisible(true);
    escape->setDefault(false);
}

// Counts the paint events a widget receives.
class PaintCount final : public QObject
{
public:
    int count = 0;
    explicit PaintCount(QWidget& widget) { widget.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

class TestFlowWindows : public QObject
{
    Q_OBJECT

private slots:
    void progressRedrawsOnlyWhenTheValueChanges()
    {
        TbarForm bar;
        bar.ShowProgress("Lese ADIF-Log /tmp/a.adi", "Bitte warten ...", 0);
        QVERIFY(bar.isVisible());
        QCOMPARE(bar.windowTitle(), QStringLiteral(" Hadrel"));
        PaintCount paints(*bar.findChild<QProgressBar*>(QStringLiteral("Gauge")));
        QVERIFY(bar.StepProgress(7));
        const int painted = paints.count;
        QVERIFY2(painted > 0, "a new value is drawn at once");
        QVERIFY(bar.StepProgress(7));
        QCOMPARE(paints.count, painted);
        QVERIFY(bar.StepProgress(250));
        QCOMPARE(Gauge(bar).value(), 100);
        QVERIFY(bar.StepProgress(-3));
        QCOMPARE(Gauge(bar).value(), 0);
        bar.HideProgress();
        QVERIFY(!bar.isVisible());
        QCOMPARE(bar.windowTitle(), QStringLiteral("Hadrel"));
    }

    void escapeStopsOnceWhileItsButtonIsShown()
    {
        TbarForm bar;
        bar.ShowProgress("a", "b", 0);
        auto* escape = bar.findChild<QPushButton*>(QStringLiteral("ButtonEsc"));
        QVERIFY(escape != nullptr);
        QVERIFY2(!escape->isVisible(), "hidden at start");
        QTest::keyClick(&bar, Qt::Key_Escape);
        QVERIFY2(bar.isVisible(), "Escape never closes the window");
        QVERIFY2(bar.StepProgress(1), "without the button Escape does nothing");

        ShowEscape(bar);
        QTest::mouseClick(escape, Qt::LeftButton);
        QVERIFY(!bar.StepProgress(2));
        QVERIFY(bar.StepProgress(3));
        QTest::keyClick(&bar, Qt::Key_Escape);
        QVERIFY(!bar.StepProgress(4));
        bar.HideProgress();
        QVERIFY(!escape->isVisible());
    }

    void reportKeepsLinesUntilShownAndConvertsForeignBytes()
    {
        TListForm report;
        report.BeginReport("Liste aller übergangenen oder bearbeiteten QSOs");
        report.AddLine("Land unklar    : DL1ABC  2015-03-07");
        report.AddLine("Mode skipped: <CALL:4>F\xFCR1");  // Latin-1 from a log
        QCOMPARE(report.windowTitle(),
                 QStringLiteral("Liste aller übergangenen oder bearbeiteten QSOs"));
        QCOMPARE(report.Text(), QStringLiteral("Land unklar    : DL1ABC  2015-03-07\n"
                                               "Mode skipped: <CALL:4>FüR1"));
        const std::vector<std::string> log{"one", "two"};
        report.SetReport("Auswertung", log);
        QCOMPARE(report.Text(), QStringLiteral("one\ntwo"));
        QWidget main;
        main.setGeometry(10, 10, 300, 200);
        report.ShowBeside(main, QRect());
        QVERIFY(report.isVisible());
        QVERIFY(!report.isModal());
        QCOMPARE(report.width(), std::min(TListForm::kEvaluationWidth,
                                          report.screen()->availableGeometry().width()));
    }

    void theLogGoesBesideTheMainWindowWhereTheScreenHasRoom()
    {
        const QRect main(100, 50, 1020, 760);
        const QRect controls(100, 50, 1020, 330);
        const QRect below =
            PlaceBeside(main, controls, {1284, 640}, {400, 200}, QRect(0, 0, 1366, 1400));
        QCOMPARE(below, QRect(82, 810, 1284, 590));
        const QRect right =
            PlaceBeside(main, controls, {1284, 640}, {400, 200}, QRect(0, 0, 2560, 900));
        QCOMPARE(right, QRect(1120, 50, 1284, 640));
        // A 1280 x 900 screen has no room beside: below the controls, cut to the screen.
        const QRect small(0, 0, 1280, 900);
        const QRect over = PlaceBeside(main, controls, {1284, 640}, {400, 200}, small);
        QCOMPARE(over, QRect(0, 380, 1280, 520));
    }

    void longReportsCanBeWalkedWithTheKeyboard()
    {
        std::vector<std::string> lines;
        for (int i = 0; i < 2900; ++i) {
            lines.push_back("Land unklar    : DL" + std::to_string(i) + "ABC  2015-03-07");
        }
        TListForm report;
        report.SetReport("Auswertung", lines);
        QWidget main;
        main.setGeometry(0, 0, 200, 100);
        report.ShowBeside(main, QRect());
        QVERIFY(QTest::qWaitForWindowActive(&report));
        auto* memo = report.findChild<QPlainTextEdit*>(QStringLiteral("Memo"));
        QCOMPARE(QApplication::focusWidget(), memo);
        const auto lastLineShown = [memo] {
            return memo->textCursor().atEnd() &&
                   memo->viewport()->rect().contains(memo->cursorRect()) &&
                   memo->verticalScrollBar()->value() > 0;
        };
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
        QVERIFY(lastLineShown());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(memo->verticalScrollBar()->value(), 0);
        report.close();

        // The modal report of an import, the same.
        int atEnd = -1;
        QTimer::singleShot(50, &report, [&] {
            QWidget* focus = QApplication::focusWidget();
            if (focus == memo) {
                QTest::keyClick(focus, Qt::Key_End, Qt::ControlModifier);
                atEnd = lastLineShown() ? 1 : 0;
            }
            report.reject();
        });
        report.ShowModal();
        QCOMPARE(atEnd, 1);
    }

    void theProgressWindowHasACaptionButNoTitleBarButtons()
    {
        TbarForm bar;
        bar.ShowProgress("Lese ADIF-Log demo.adi", "Bitte warten ...", 40);
        const Qt::WindowFlags buttons = Qt::WindowMinimizeButtonHint |
                                        Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                                        Qt::WindowSystemMenuHint;
        QCOMPARE(bar.windowFlags() & buttons, Qt::WindowFlags{});
#ifndef Q_OS_WIN
        // The window manager's title bar would bring its buttons: the window draws frame and
        // caption itself, and the designed client area sits below the caption.
        QVERIFY(bar.windowFlags().testFlag(Qt::FramelessWindowHint));
        const QImage image = bar.grab().toImage();
        const QColor captionColour = bar.palette().color(QPalette::Active, QPalette::Highlight);
        QCOMPARE(image.pixelColor(image.width() - 10, TbarForm::kFrameWidth + 2), captionColour);
        auto* label = bar.findChild<QLabel*>(QStringLiteral("Label1"));
        QCOMPARE(label->geometry().topLeft(), TbarForm::ClientOrigin() + QPoint(8, 16));
        QCOMPARE(bar.size(), QSize(TbarForm::kClientWidth, TbarForm::kClientHeight) +
                                 QSize(2 * TbarForm::kFrameWidth,
                                       2 * TbarForm::kFrameWidth + TbarForm::kCaptionHeight));
#endif
    }

    void aLongFileNameKeepsItsEndInTheProgressWindow()
    {
        TbarForm bar;
        const std::string file = "/home/member/Dokumente/Funk/Logbuch/LoTW-Downloads/2026/"
                                 "lotwreport-2026-12-09.adi";
        bar.ShowProgress("Lese ADIF-Log " + file, "Bitte warten ...", 0);
        auto* label = bar.findChild<QLabel*>(QStringLiteral("Label1"));
        const QString shown = label->text();
        // How much of either end fits depends on the font the platform has.
        QVERIFY2(shown.startsWith(QStringLiteral("Lese ADIF-Log /")), qPrintable(shown));
        QVERIFY2(shown.endsWith(QStringLiteral("-09.adi")), qPrintable(shown));
        QVERIFY2(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width(),
                 qPrintable(shown));
    }

    void onlyTheMainWindowEndsTheProgram()
    {
        // An evaluation log left open beside the main window must not keep the program alive.
        TbarForm bar;
        TListForm report;
        TKvSelForm selection;
        QVERIFY(!bar.testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(!report.testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(!selection.testAttribute(Qt::WA_QuitOnClose));
    }

    void selectionOffersSortedNamesAndHandsBackTheChosenBytes()
    {
        TKvSelForm selection;
        const std::vector<std::string> names{"W1AW.CFD",
                                             "D\xFC"
                                             "1ABC.CFD",
                                             "DL1ABC.CFD"};
        selection.Prepare("Vorhandene Liste einlesen:", names);
        QCOMPARE(selection.windowTitle(), QStringLiteral("Vorhandene Liste einlesen:"));
        auto* list = selection.findChild<QListWidget*>(QStringLiteral("ListBox"));
        QVERIFY(list != nullptr);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QStringLiteral("DL1ABC.CFD"));
        QCOMPARE(list->currentRow(), 0);

        selection.reject();
        QCOMPARE(selection.SelectedName(), std::nullopt);
        list->setCurrentRow(1);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("Dü1ABC.CFD"));
        selection.accept();
        QCOMPARE(selection.SelectedName(), std::optional<std::string>("D\xFC"
                                                                      "1ABC.CFD"));
    }
};

QTEST_MAIN(TestFlowWindows)
#include "tst_FlowWindows.moc"
