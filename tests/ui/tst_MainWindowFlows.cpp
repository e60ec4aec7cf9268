// SPDX-License-Identifier: GPL-3.0-or-later
// The member's and the evaluator's whole flows in the desktop program: start-up, import,
// saving, closing, the thresholds and dropped logs, with every question answered by a script.
#include <cstdlib>
#include <deque>
#include <functional>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "catalogue/EntityCatalogue.h"
#include "common/SafeFile.h"
#include "common/Utf8Path.h"
#include "evaluation/Evaluation.h"
#include "lists/SaveList.h"
#include "matrix/BandThresholds.h"
#include "matrix/ConfirmationMatrix.h"
#include "support/SpecialEntries.h"
#include "support/WriteFailure.h"
#include "ui/FileNames.h"
#include "ui/TKvMainForm.h"
#include "ui/evaluation/EvaluationWindowFlows.h"
#include "ui/import/TListForm.h"
#include "ui/import/TbarForm.h"
#include "ui/matrix/ColumnGeometry.h"
#include "ui/matrix/MatrixView.h"
#include "ui/matrix/OwnerDrawGrid.h"
#include "ui/member/MemberWindowFlows.h"

using namespace wendrix;
using namespace wendrix::ui;

namespace fs = std::filesystem;

namespace {

// Answers from queues and writes down every question, so a test compares what was asked with
// what it expected; an unexpected question gets the answer "no" and shows up in the record.
class ScriptedPrompts final : public FlowPrompts
{
public:
    QStringList asked;
    std::deque<bool> yesNo;  // eQSL, overwrite, save on close, report
    std::deque<std::vector<fs::path>> logs;
    std::deque<EntityAnswer> entities;
    std::deque<std::optional<std::string>> lists;
    std::vector<std::string> lastReport;

    bool AskCountEqsl() override { return YesNo(QStringLiteral("eQSL")); }
    std::vector<fs::path> ChooseLogFiles() override
    {
        asked << QStringLiteral("choose logs");
        return Pop(logs, std::vector<fs::path>{});
    }
    ReadErrorAnswer AskOnReadError(const fs::path&) override
    {
        asked << QStringLiteral("read error");
        return ReadErrorAnswer::Abort;
    }
    EntityAnswer AskTakeEntity(const EntityQuestion& question) override
    {
        asked << QString::fromStdString(question.Text());
        return Pop(entities, EntityAnswer::No);
    }
    bool AskShowReport(std::string_view) override { return YesNo(QStringLiteral("report?")); }
    bool AskCountOtherStation(const OtherStationQuestion&) override
    {
        return YesNo(QStringLiteral("other station?"));
    }
    void ShowSummary(std::string_view summary) override
    {
        asked << QStringLiteral("summary: ") + QString::fromUtf8(summary.data(), summary.size());
    }
    void ShowError(std::string_view text) override
    {
        asked << QStringLiteral("error: ") + QString::fromUtf8(text.data(), text.size());
    }
    void ShowFileError(std::string_view text) override
    {
        asked << QStringLiteral("file error: ") + QString::fromUtf8(text.data(), text.size());
    }
    bool AskOverwriteList() override { return YesNo(QStringLiteral("overwrite?")); }
    bool AskSaveOnClose() override { return YesNo(QStringLiteral("save?")); }
    std::optional<std::string> ChooseListFile(std::span<const std::string> names) override
    {
        QStringList shown;
        for (const std::string& name : names) {
            shown << QString::fromStdString(name);
        }
        asked << QStringLiteral("choose list: ") + shown.join(QLatin1Char(','));
        return Pop(lists, std::optional<std::string>{});
    }
    void ShowReport(std::string_view caption, std::span<const std::string> lines,
                    bool modal) override
    {
        asked << QStringLiteral("report %1 (%2 lines%3)")
                     .arg(QString::fromUtf8(caption.data(), caption.size()))
                     .arg(lines.size())
                     .arg(modal ? QStringLiteral(", modal") : QString());
        lastReport.assign(lines.begin(), lines.end());
    }

private:
    bool YesNo(const QString& question)
    {
        asked << question;
        return Pop(yesNo, false);
    }
    template <typename T>
    static T Pop(std::deque<T>& queue, std::type_identity_t<T> otherwise)
    {
        if (queue.empty()) {
            return otherwise;
        }
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

class MemoryThresholdStore final : public ThresholdStore
{
public:
    BandThresholds stored;
    int writes = 0;
    BandThresholds Read() const override { return stored; }
    void Write(const BandThresholds& thresholds) override
    {
        stored = thresholds;
        ++writes;
    }
};

// A log of two confirmed contacts without DXCC (the program resolves their entities).
constexpr std::string_view kUnresolvedLog =
    "<EOH>\n"
    "<CALL:6>JA1ABC<QSO_DATE:8>20150307<TIME_ON:4>1215<BAND:3>20M<MODE:2>CW<QSL_RCVD:1>Y<EOR>\n"
    "<CALL:6>VK2ABC<QSO_DATE:8>20150308<TIME_ON:4>1215<BAND:3>40M<MODE:3>SSB<QSL_RCVD:1>Y<EOR>\n";

}  // namespace

class TestMainWindowFlows : public QObject
{
    Q_OBJECT

private:
    std::optional<EntityCatalogue> m_catalogue;
    std::unique_ptr<ConfirmationMatrix> m_matrix;
    std::unique_ptr<Evaluation> m_evaluation;
    std::unique_ptr<QTemporaryDir> m_directory;
    MemoryThresholdStore m_store;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TKvMainForm> m_window;
    std::unique_ptr<MemberWindowFlows> m_member;  // one of the two, as the command line chooses
    std::unique_ptr<EvaluationWindowFlows> m_evaluator;

    [[nodiscard]] fs::path Dir() const { return fs::path(m_directory->path().toStdString()); }
    // With message boxes: the flows ask in real boxes, which the test answers through Answer.
    void Open(bool evaluationMode = false, bool messageBoxes = false,
              const std::string& notice = {})
    {
        m_member.reset();
        m_evaluator.reset();
        FlowPrompts* prompts = messageBoxes ? nullptr : &m_prompts;
        if (evaluationMode) {
            m_window = std::make_unique<TKvMainForm>(*m_catalogue, *m_matrix,
                                                     SharePainters(*m_catalogue, *m_evaluation));
            m_evaluator = std::make_unique<EvaluationWindowFlows>(
                *m_window, *m_catalogue, *m_matrix, *m_evaluation, Dir(), m_store, prompts);
            m_evaluator->SetStartupNotice(notice);
        } else {
            m_window = std::make_unique<TKvMainForm>(*m_catalogue, *m_matrix,
                                                     TickPainters(*m_catalogue, *m_matrix));
            m_member = std::make_unique<MemberWindowFlows>(*m_window, *m_catalogue, *m_matrix,
                                                           Dir(), prompts);
            m_member->SetStartupNotice(notice);
        }
        QSignalSpy started(m_window.get(), &TKvMainForm::FirstShown);
        m_window->show();  // the start-up runs once the window is on the screen
        QTRY_COMPARE(started.count(), 1);
    }
    // Handles the modal windows as they appear, until the handler says it is done with them.
    // The handler gets the window and returns false once it expects no more.
    void Answer(std::function<bool(QWidget&)> handler)
    {
        auto* timer = new QTimer(m_window.get());
        QObject::connect(timer, &QTimer::timeout, timer, [timer, handler, looks = 0]() mutable {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible()) {
                return;
            }
            timer->stop();
            if (++looks > 100) {
                modal->close();  // a window that will not go: the test fails, it does not hang
                return;
            }
            if (handler(*modal)) {
                timer->start();
            }
        });
        timer->start(10);
    }
    static void Press(QWidget& box, const QString& button)
    {
        for (auto* b : box.findChildren<QAbstractButton*>()) {
            if (b->text() == button) {
                b->click();
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no button ") + button));
    }
    int Entity(std::string_view prefix) const { return m_catalogue->FindEntityByPrefix(prefix); }
    // A list file as the program writes it, 20 m CW confirmed for the given entities.
    void WriteList(const std::string& call, std::initializer_list<std::string_view> prefixes)
    {
        ConfirmationMatrix list;
        for (const std::string_view prefix : prefixes) {
            list.SetCell(Entity(prefix), BandIndex{kBand20m}, ModeIndex{kModeCw},
                         CellOperation::Set);
        }
        QVERIFY(SaveList(Dir(), call, *m_catalogue, list).Ok());
    }
    QPushButton& SaveButton()
    {
        return *m_window->findChild<QPushButton*>(QStringLiteral("ButtonSave"));
    }
    QLineEdit& CallEdit() { return *m_window->findChild<QLineEdit*>(QStringLiteral("ZtEditCall")); }
    [[nodiscard]] bool Ticked20mCw(std::string_view prefix) const
    {
        return m_matrix->IsTicked(Entity(prefix), BandIndex{kBand20m}, ModeIndex{kModeCw});
    }

private slots:
    void initTestCase() { m_catalogue = BuildEntityCatalogue(); }
    void init()
    {
        m_matrix = std::make_unique<ConfirmationMatrix>();
        m_evaluation = std::make_unique<Evaluation>();
        m_directory = std::make_unique<QTemporaryDir>();
        m_store = MemoryThresholdStore{};
        m_prompts = ScriptedPrompts{};
    }
    void cleanup()
    {
        m_member.reset();
        m_evaluator.reset();
        m_window.reset();
    }

    void startUpWithoutAListLeavesEverythingEmpty()
    {
        Open();
        QCOMPARE(CallEdit().text(), QString());
        QVERIFY(!m_member->Timer1().isActive());
        QCOMPARE(m_matrix->ColumnSums(), ColumnSumTable{});
        QCOMPARE(m_prompts.asked, QStringList{});
        QVERIFY(!SaveButton().isEnabled());
    }

    void startUpReadsTheOnlyListAtOnce()
    {
        WriteList("DL1ABC", {"W", "JA"});
        Open();
        QCOMPARE(CallEdit().text(), QStringLiteral("DL1ABC"));
        QVERIFY(Ticked20mCw("JA"));
        QVERIFY(!m_member->Timer1().isActive());
        QCOMPARE(m_prompts.asked, QStringList{});
        QVERIFY2(!SaveButton().isEnabled(), "a list just read is no change");
    }

    void startUpOffersSeveralListsAfterTheWindowAppeared()
    {
        WriteList("W1AW", {"W"});
        WriteList("DL1ABC", {"JA"});
        m_prompts.lists.push_back("W1AW.CFD");
        Open();
        QVERIFY2(m_member->Timer1().isActive(), "offered 200 ms later, not at once");
        QCOMPARE(m_prompts.asked, QStringList{});
        QTRY_COMPARE(m_prompts.asked,
                     QStringList{QStringLiteral("choose list: DL1ABC.CFD,W1AW.CFD")});
        QCOMPARE(CallEdit().text(), QStringLiteral("W1AW"));
        QVERIFY(Ticked20mCw("W"));
        QVERIFY(!Ticked20mCw("JA"));
    }

    // A pipe, a directory and a link to nowhere named like lists are no lists: the start-up reads
    // the one real list and asks nothing (reading the pipe would hang it for ever).
    void startUpPassesOverEntriesThatAreNoLists()
    {
        WriteList("DL1ABC", {"JA"});
        QVERIFY(fs::create_directory(Dir() / "FOLDER.CFD"));
        (void)test::MakeFifo(Dir() / "AB1CD.CFD");
        (void)test::MakeDanglingLink(Dir() / "X.CFD");
        Open();
        QTRY_COMPARE(CallEdit().text(), QStringLiteral("DL1ABC"));
        QVERIFY(Ticked20mCw("JA"));
        QCOMPARE(m_prompts.asked, QStringList{});
    }

    void importWithYesToAllAsksOnceAndEnablesSaving()
    {
        const fs::path log = Dir() / "log.adi";
        QVERIFY(WriteFileSafely(log, kUnresolvedLog));
        m_prompts.yesNo = {false, false};  // no eQSL; no report
        m_prompts.logs.push_back({log});
        m_prompts.entities.push_back(EntityAnswer::YesToAll);
        Open();
        QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("ButtonImport")),
                          Qt::LeftButton);
        QCOMPARE(m_prompts.asked,
                 (QStringList{QStringLiteral("eQSL"), QStringLiteral("choose logs"),
                              QStringLiteral("Land ermittelt : JA für JA1ABC(2015)"),
                              QStringLiteral("report?")}));
        QVERIFY(Ticked20mCw("JA"));
        QVERIFY(m_matrix->IsTicked(Entity("VK"), BandIndex{2}, ModeIndex{kModeFone}));
        QVERIFY(SaveButton().isEnabled());
        QVERIFY(!m_member->ProgressWindow().isVisible());
    }

    void aDroppedLogIsImportedWithoutTheFileChoice()
    {
        const fs::path log = Dir() / "dropped.adi";
        QVERIFY(WriteFileSafely(log, kUnresolvedLog));
        m_prompts.entities.push_back(EntityAnswer::NoToAll);
        Open();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(log.string()))});
        QDropEvent drop(QPointF(500, 400), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        // Straight to the window's handler: outside a real drag the application would route a
        // drop to the drag manager's current target, and there is none.
        static_cast<QObject*>(m_window.get())->event(&drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(m_prompts.asked,
                 (QStringList{QStringLiteral("eQSL"),
                              QStringLiteral("Land ermittelt : JA für JA1ABC(2015)"),
                              QStringLiteral("report?")}));
        QVERIFY(!Ticked20mCw("JA"));
        QVERIFY2(SaveButton().isEnabled(), "an import run always counts as a change");
    }

    void pastedTextKeepsOnlyCallSignCharacters()
    {
        Open();
        CallEdit().setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("dl1/abc ../..\\x"));
        if (QGuiApplication::clipboard()->text().isEmpty()) {
            CallEdit().insert(QStringLiteral("dl1/abc ../..\\x"));  // no clipboard offscreen
        } else {
            CallEdit().paste();
        }
        QCOMPARE(CallEdit().text(), QStringLiteral("DL1ABCX"));
        m_matrix->SetCell(1, BandIndex{0}, ModeIndex{kModeCw}, CellOperation::Set);
        m_member->ButtonSaveClick();
        QVERIFY(fs::exists(Dir() / "DL1ABCX.CFD"));
        QVERIFY(!SaveButton().isEnabled());
    }

    void savingWithAShortCallSignWritesNothing()
    {
        Open();
        m_matrix->SetCell(1, BandIndex{0}, ModeIndex{kModeCw}, CellOperation::Set);
        CallEdit().setText(QStringLiteral("DL1"));
        QTest::mouseClick(&SaveButton(), Qt::LeftButton);
        QCOMPARE(m_prompts.asked,
                 QStringList{QStringLiteral("error: Bitte Rufzeichen eintragen.")});
        QVERIFY(fs::is_empty(Dir()));
        QVERIFY(SaveButton().isEnabled());
    }

    void anEarlierListIsReplacedOnlyWithConsent()
    {
        WriteList("DL1ABC", {"W"});
        const std::string before = FormatList("DL1ABC", *m_catalogue, [&] {
            ConfirmationMatrix list;
            list.SetCell(Entity("W"), BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
            return list;
        }());
        Open();
        m_matrix->SetCell(Entity("JA"), BandIndex{0}, ModeIndex{kModeCw}, CellOperation::Set);
        m_prompts.yesNo = {false, true};
        m_member->ButtonSaveClick();
        QVERIFY(SaveButton().isEnabled());
        QCOMPARE(FormatList("DL1ABC", *m_catalogue, *m_matrix) == before, false);
        m_member->ButtonSaveClick();
        QCOMPARE(m_prompts.asked,
                 (QStringList{QStringLiteral("overwrite?"), QStringLiteral("overwrite?")}));
        QVERIFY(!SaveButton().isEnabled());
    }

    void aFailedWriteKeepsTheOldFileAndTheSaveButton()
    {
        WriteList("DL1ABC", {"W", "JA", "VK", "ZL", "G", "F", "I", "EA"});
        const fs::path file = Dir() / "DL1ABC.CFD";
        QFile old(QString::fromStdString(PathToUtf8(file)));
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray before = old.readAll();
        old.close();
        QVERIFY(before.size() > 1024);
        Open();
        m_matrix->SetCell(Entity("JA"), BandIndex{0}, ModeIndex{kModeCw}, CellOperation::Set);
        m_prompts.yesNo = {true};
        {
            const test::WriteBlock block(file);
            QVERIFY(block.Active());
            m_member->ButtonSaveClick();
        }
        QCOMPARE(m_prompts.asked,
                 (QStringList{QStringLiteral("overwrite?"),
                              QStringLiteral("file error: Schreibfehler in Datei ") +
                                  QString::fromStdString(PathToUtf8(file))}));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
        QVERIFY(SaveButton().isEnabled());
    }

    void closingAsksOnlyWithUnsavedChangesAndStaysOpenWhenTheSaveFails()
    {
        Open();
        QVERIFY(m_window->close());
        QCOMPARE(m_prompts.asked, QStringList{});

        Open();
        m_matrix->SetCell(1, BandIndex{0}, ModeIndex{kModeCw}, CellOperation::Set);
        m_prompts.yesNo = {true};
        QVERIFY2(!m_window->close(), "Yes with no call sign keeps the window open");
        QCOMPARE(m_prompts.asked,
                 (QStringList{QStringLiteral("save?"),
                              QStringLiteral("error: Bitte Rufzeichen eintragen.")}));
        m_prompts.asked.clear();
        m_prompts.yesNo = {false};
        QVERIFY2(m_window->close(), "No closes without writing");
        QVERIFY(fs::is_empty(Dir()));
    }

    void evaluationRunsAgainAfterValidThresholds()
    {
        WriteList("DL1ABC", {"W", "JA"});
        WriteList("W1AW", {"W"});
        m_store.stored.minimum.fill(0);
        Open(true);
        QVERIFY(m_evaluator->Timer1().isActive());
        // Two lines per list, and one naming the club report that saving writes beside the result.
        QTRY_COMPARE(m_prompts.asked, QStringList{QStringLiteral("report Auswertung (5 lines)")});
        QVERIFY(SaveButton().isEnabled());
        QCOMPARE(m_evaluation->PerMilleText(Entity("JA"), kBand20m, kModeCw),
                 QStringLiteral(" 500").toStdString());

        auto* levels = m_window->findChild<QPushButton*>(QStringLiteral("ButtonLevels"));
        QTest::mouseClick(levels, Qt::LeftButton);
        // The grid is made at its first showing.
        auto* grid = m_window->findChild<QTableWidget*>(QStringLiteral("StringGridLevel"));
        QVERIFY(grid != nullptr);
        QVERIFY(grid->isVisible());
        QCOMPARE(levels->text(), QStringLiteral("Neu berechnen"));
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("Total"));
        QCOMPARE(grid->item(5, 0)->text(), QStringLiteral("20m"));
        QCOMPARE(grid->item(5, 1)->text(), QStringLiteral("0"));

        // The cells take digits only; letters are dropped, Backspace and Delete correct.
        grid->setCurrentCell(5, 1);
        grid->editItem(grid->item(5, 1));
        auto* editor = grid->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("1a23"));
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, QStringLiteral("4"));
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClick(editor, Qt::Key_Delete);
        QCOMPARE(editor->text(), QStringLiteral("24"));
        editor->setText(QStringLiteral("12"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(grid->item(5, 1)->text(), QStringLiteral("12"));  // committed queued

        grid->item(5, 1)->setText(QStringLiteral("2"));  // 20 m: only DL1ABC has 2
        grid->item(8, 1)->setText(QStringLiteral("301"));
        m_prompts.asked.clear();
        QTest::mouseClick(levels, Qt::LeftButton);
        QCOMPARE(m_prompts.asked,
                 QStringList{QStringLiteral("error: Value outside range of 0...300.")});
        QVERIFY(grid->isVisible());
        QCOMPARE(m_store.writes, 0);

        grid->item(8, 1)->setText(QStringLiteral("0"));
        m_prompts.asked.clear();
        QTest::mouseClick(levels, Qt::LeftButton);
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("report Auswertung (5 lines)")});
        QVERIFY(!grid->isVisible());
        QCOMPARE(levels->text(), QStringLiteral("Schwellwerte"));
        QCOMPARE(m_store.writes, 1);
        QCOMPARE(m_store.stored.For(kBand20m), 2);
        QCOMPARE(m_evaluation->PerMilleText(Entity("JA"), kBand20m, kModeCw),
                 QStringLiteral("1000").toStdString());

        m_evaluator->ButtonSaveClick();
        QVERIFY(fs::exists(Dir() / "Wendrix.TXT"));
        QVERIFY(!SaveButton().isEnabled());
    }

    // A participant is named after its list file. A name outside ASCII (UTF-8 on the disk) must
    // read the same in the calls shown for a cell as in the evaluation log beside the window.
    void participantNamedOutsideAsciiReadsAsInTheLog()
    {
        WriteList("DL1ABC", {m_catalogue->Entity(1).MainPrefix});
        const QString call = QStringLiteral("D\u00D61ABC");
        fs::rename(Dir() / "DL1ABC.CFD", Dir() / PathFromQString(call + QStringLiteral(".CFD")));
        m_store.stored.minimum.fill(0);
        Open(true, true);
        TListForm& report = m_evaluator->ReportWindow();
        QTRY_VERIFY(report.isVisible());
        const QString log = report.findChild<QPlainTextEdit*>()->toPlainText();
        QVERIFY2(log.contains(call + QStringLiteral(": ")), qPrintable(log));

        auto* grid = m_window->findChild<OwnerDrawGrid*>(QStringLiteral("DrawGrid"));
        QVERIFY(grid != nullptr);
        QWidget* viewport = grid->viewport();
        const QRect cell = MatrixView::MatrixDesign().CellRect(3 + kBand20m, 0);
        const QPoint cw = QuarterRect(cell, 1, QuarterSpacing::Gapped).center();
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, cw);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, cw);
        auto* calls = m_window->findChild<QLineEdit*>(QStringLiteral("ZtEditCalls"));
        QCOMPARE(calls->text(), call + QLatin1Char(' '));
    }

    // A club station's log without DXCC asks whose log it is (a long text, which the box wraps
    // only when it is shown) and which entity a call is; both while the progress window shows.
    void questionsDuringAnImportStayClearOfTheProgressWindow()
    {
        std::string clubLog(kUnresolvedLog);
        for (std::size_t at = clubLog.find("<CALL:"); at != std::string::npos;
             at = clubLog.find("<CALL:", at + 30)) {
            clubLog.insert(at, "<STATION_CALLSIGN:6>DL0ABC");
        }
        const fs::path log = Dir() / "log.adi";
        QVERIFY(WriteFileSafely(log, clubLog));
        Open(false, true);
        CallEdit().setText(QStringLiteral("DA0WDX"));
        QStringList texts;
        QList<QRect> questions;
        QRect progress;
        Answer([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            if (box == nullptr) {
                return false;
            }
            texts << box->text();
            const bool station = box->text().startsWith(QStringLiteral("Das Log"));
            if (station || box->text().startsWith(QStringLiteral("Land ermittelt"))) {
                if (m_member->ProgressWindow().isVisible()) {
                    questions << box->frameGeometry();
                    progress = m_member->ProgressWindow().frameGeometry();
                }
                Press(*box, station ? QStringLiteral("&Yes") : QStringLiteral("Yes To All"));
                return true;
            }
            Press(*box, QStringLiteral("&No"));  // eQSL, then the report
            return texts.size() < 4;
        });
        m_member->ImportLogs({log});
        QCOMPARE(texts.size(), 4);
        QCOMPARE(questions.size(), 2);
        const int middle = m_window->frameGeometry().center().x();
        for (const QRect& question : questions) {
            const QString where = QStringLiteral("question %1,%2 %3x%4, progress %5,%6 %7x%8")
                                      .arg(question.x())
                                      .arg(question.y())
                                      .arg(question.width())
                                      .arg(question.height())
                                      .arg(progress.x())
                                      .arg(progress.y())
                                      .arg(progress.width())
                                      .arg(progress.height());
            QVERIFY2(!question.intersects(progress), qPrintable(where));
            // Placed for the size it is shown in: over the middle of the main window.
            QVERIFY2(std::abs(question.center().x() - middle) <= 1, qPrintable(where));
        }
    }

    void startUpMessagesComeOverTheMainWindowOnTheScreenInTheirOrder()
    {
        WriteList("DL1ABC", {"W"});
        fs::rename(Dir() / "DL1ABC.CFD", Dir() / "DL1XYZ.CFD");  // first line names another call
        QStringList shown;
        QList<QWidget*> parents;
        QList<bool> overShownWindow;
        Answer([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            shown << (box != nullptr ? box->text() : modal.windowTitle());
            parents << modal.parentWidget();
            overShownWindow << (m_window->windowHandle() != nullptr &&
                                m_window->windowHandle()->isExposed());
            if (box != nullptr) {
                Press(*box, QStringLiteral("OK"));
                return true;
            }
            modal.close();
            return false;
        });
        Open(false, true, "Verzeichnis nicht gefunden: typo; Listen in " + PathToUtf8(Dir()));
        QTRY_COMPARE(shown.size(), 2);
        QCOMPARE(shown[0], QStringLiteral("Verzeichnis nicht gefunden: typo; Listen in ") +
                               QString::fromStdString(PathToUtf8(Dir())));
        QCOMPARE(shown[1], QStringLiteral("Fehler in der Liste DL1XYZ.CFD"));
        QCOMPARE(parents, (QList<QWidget*>{m_window.get(), m_window.get()}));
        QCOMPARE(overShownWindow, (QList<bool>{true, true}));
        QCOMPARE(CallEdit().text(), QStringLiteral("DL1XYZ"));
    }

    void theEvaluationLogLeavesTheButtonsAndTheGridInView()
    {
        WriteList("DL1ABC", {"W", "JA"});
        WriteList("W1AW", {"W"});
        Open(true, true);
        TListForm& log = m_evaluator->ReportWindow();
        QTRY_VERIFY(log.isVisible());
        auto* levels = m_window->findChild<QPushButton*>(QStringLiteral("ButtonLevels"));
        QTest::mouseClick(levels, Qt::LeftButton);
        auto* grid = m_window->findChild<QTableWidget*>(QStringLiteral("StringGridLevel"));
        QVERIFY(grid != nullptr);
        const auto onScreen = [](const QWidget& widget) {
            return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
        };
        for (const QWidget* control :
             std::initializer_list<const QWidget*>{levels, &SaveButton(), grid}) {
            QVERIFY2(!log.frameGeometry().intersects(onScreen(*control)),
                     qPrintable(control->objectName()));
        }
        QVERIFY(log.screen()->availableGeometry().contains(log.frameGeometry()));

        // A re-run with new thresholds refreshes the log where the user left it.
        log.move(log.pos() + QPoint(3, 5));
        const QRect left = log.frameGeometry();
        QTest::mouseClick(levels, Qt::LeftButton);  // "Neu berechnen"
        QVERIFY(!grid->isVisible());
        QCOMPARE(log.frameGeometry(), left);
    }

    void theThresholdsGridTakesTheKeyboardAtOnce()
    {
        Open(true);
        QTRY_VERIFY(!m_prompts.asked.isEmpty());  // the evaluation ran
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("ButtonLevels")),
                          Qt::LeftButton);
        auto* grid = m_window->findChild<QTableWidget*>(QStringLiteral("StringGridLevel"));
        QVERIFY(grid != nullptr);
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(grid->currentColumn(), 1);
        // Backspace starts the editing and empties the cell, as Delete does.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(grid->item(0, 1)->text(), QStringLiteral("7"));
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("9"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(grid->item(1, 1)->text(), QStringLiteral("9"));
    }

    void theUploadHintShowsTheFullPathOfTheListFile()
    {
        WriteList("DL1ABC", {"W"});
        fs::rename(Dir() / "DL1ABC.CFD", Dir() / "dl1abc.cfd");
        // The name as it stands on the disk (Wine keeps the old name on a rename that changes
        // only the case).
        const fs::path onDisk = fs::directory_iterator(Dir())->path();
        Open();
        QCOMPARE(CallEdit().text(), QStringLiteral("DL1ABC"));
        QCOMPARE(m_window->UploadHintToolTip(), QString::fromStdString(PathToUtf8(onDisk)));
        CallEdit().setText(QStringLiteral("DL1ABCD"));
        QCOMPARE(m_window->UploadHintToolTip(),
                 QString::fromStdString(PathToUtf8(Dir() / "DL1ABCD.CFD")));
    }

    void aDroppedListIsReadAsAListAfterTheUnsavedChangesQuestion()
    {
        WriteList("W1AW", {"W"});
        fs::create_directory(Dir() / "elsewhere");
        const fs::path dropped = Dir() / "elsewhere" / "w1aw.cfd";
        fs::rename(Dir() / "W1AW.CFD", dropped);
        Open();
        m_matrix->SetCell(Entity("JA"), BandIndex{kBand20m}, ModeIndex{kModeCw},
                          CellOperation::Set);
        m_prompts.yesNo = {false};  // do not save the change
        m_member->ImportLogs({dropped});
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("save?")});
        QCOMPARE(CallEdit().text(), QStringLiteral("W1AW"));
        QVERIFY(Ticked20mCw("W"));
        QVERIFY(!Ticked20mCw("JA"));
    }

    void theLogDialogRemembersItsFolderAndShowsAdifFiles()
    {
        QTemporaryDir settingsFolder;
        QSettings settings(settingsFolder.filePath(QStringLiteral("user.ini")),
                           QSettings::IniFormat);
        const QString lists = QString::fromStdString(PathToUtf8(Dir()));
        const fs::path logs = Dir() / "logs";
        fs::create_directory(logs);
        // As Qt names folders, with "/" on every platform.
        const QString logFolder =
            QDir::fromNativeSeparators(QString::fromStdString(PathToUtf8(logs)));
        QCOMPARE(LogDialogFolder(&settings, lists), lists);
        RememberLogFolder(settings, {});
        QCOMPARE(LogDialogFolder(&settings, lists), lists);
        RememberLogFolder(
            settings, {logFolder + QStringLiteral("/a.adif"), lists + QStringLiteral("/b.adi")});
        // Per user: in the settings file, so also the next start finds it.
        QCOMPARE(QSettings(settings.fileName(), QSettings::IniFormat)
                     .value(QLatin1String(kLogFolderKey))
                     .toString(),
                 logFolder);

        Open(false, true);
        m_member->SetSettings(&settings);
        QString opened;
        bool adifShown = false;
        Answer([&](QWidget& modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(&modal)) {
                opened = dialog->directory().absolutePath();
                QString filter = dialog->selectedNameFilter();
                filter = filter.mid(filter.indexOf(QLatin1Char('(')) + 1).chopped(1);
                const QStringList patterns = filter.split(QLatin1Char(' '));
                adifShown = QDir::match(patterns, QStringLiteral("station.adif")) &&
                            QDir::match(patterns, QStringLiteral("STATION.ADI"));
                dialog->reject();
                return false;
            }
            modal.close();  // "eQSL werten?"
            return true;
        });
        m_member->ButtonImportClick();
        QCOMPARE(opened, logFolder);
        QVERIFY(adifShown);

        fs::remove(logs);
        QCOMPARE(LogDialogFolder(&settings, lists), lists);  // a folder gone since
    }
};

QTEST_MAIN(TestMainWindowFlows)
#include "tst_MainWindowFlows.moc"
