// SPDX-License-Identifier: GPL-3.0-or-later
// The windows the flows use: progress, report and list selection.
#include <string>
#include <vector>

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ui/import/TListForm.h"
#include "ui/import/TbarForm.h"
#include "ui/lists/TKvSelForm.h"

using wendrix::ui::TbarForm;
using wendrix::ui::TKvSelForm;
using wendrix::ui::TListForm;

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
        const int shown = bar.Repaints();
        QVERIFY(bar.StepProgress(7));
        QVERIFY(bar.StepProgress(7));
        QCOMPARE(bar.Repaints(), shown + 1);
        QVERIFY(bar.StepProgress(250));
        QCOMPARE(bar.BarValue(), 100);
        QVERIFY(bar.StepProgress(-3));
        QCOMPARE(bar.BarValue(), 0);
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

        bar.SetEscapeVisible(true);
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
        report.ShowBeside();
        QVERIFY(report.isVisible());
        QVERIFY(!report.isModal());
        QCOMPARE(report.width(), TListForm::kEvaluationWidth);
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
