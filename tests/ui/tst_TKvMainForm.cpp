// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its controls, and editing the matrix by mouse, popup menu, "Liste löschen"
// and the wheel.
#include <memory>
#include <optional>

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "catalogue/EntityCatalogue.h"
#include "evaluation/Evaluation.h"
#include "matrix/BandThresholds.h"
#include "matrix/ConfirmationMatrix.h"
#include "ui/FileNames.h"
#include "ui/TKvMainForm.h"
#include "ui/evaluation/EvaluationWindowFlows.h"
#include "ui/matrix/ColumnGeometry.h"
#include "ui/matrix/MatrixView.h"
#include "ui/matrix/OwnerDrawGrid.h"
#include "ui/member/MemberWindowFlows.h"

using namespace wendrix;
using namespace wendrix::ui;

namespace {

constexpr int kColumn20m = 3 + kBand20m;

// A point inside quarter k of a count column in a visible row of the matrix viewport.
QPoint QuarterPoint(int column, int visibleRow, int k)
{
    const QRect cell = MatrixView::MatrixDesign().CellRect(column, visibleRow);
    return QuarterRect(cell, k, QuarterSpacing::Gapped).center();
}

QPoint NamePoint(int visibleRow)
{
    return MatrixView::MatrixDesign().CellRect(kNameColumn, visibleRow).center();
}

class StoredNothing final : public ThresholdStore
{
public:
    BandThresholds Read() const override { return {}; }
    void Write(const BandThresholds&) override {}
};

}  // namespace

// The window with the flows of each job behind it, as the program builds it: what a click does
// is carried out by them.
class TestTKvMainForm : public QObject
{
    Q_OBJECT

private:
    std::optional<EntityCatalogue> m_catalogue;
    std::unique_ptr<ConfirmationMatrix> m_matrix;
    std::unique_ptr<Evaluation> m_evaluation;
    QTemporaryDir m_lists;  // empty: the start-up finds nothing to read or evaluate
    StoredNothing m_store;
    std::unique_ptr<TKvMainForm> m_window;
    std::unique_ptr<MemberWindowFlows> m_member;
    std::unique_ptr<EvaluationWindowFlows> m_evaluator;

    void Open(bool evaluationMode = false)
    {
        m_member.reset();
        m_evaluator.reset();
        const std::filesystem::path lists = PathFromQString(m_lists.path());
        if (evaluationMode) {
            m_window = std::make_unique<TKvMainForm>(*m_catalogue, *m_matrix,
                                                     SharePainters(*m_catalogue, *m_evaluation));
            m_evaluator = std::make_unique<EvaluationWindowFlows>(
                *m_window, *m_catalogue, *m_matrix, *m_evaluation, lists, m_store);
        } else {
            m_window = std::make_unique<TKvMainForm>(*m_catalogue, *m_matrix,
                                                     TickPainters(*m_catalogue, *m_matrix));
            m_member =
                std::make_unique<MemberWindowFlows>(*m_window, *m_catalogue, *m_matrix, lists);
        }
    }
    template <typename T>
    T& Child(const char* name)
    {
        auto* child = m_window->findChild<T*>(QLatin1String(name));
        if (child == nullptr) {
            qFatal("no control %s", name);
        }
        return *child;
    }
    OwnerDrawGrid& Grid() { return Child<OwnerDrawGrid>("DrawGrid"); }
    void Click(Qt::MouseButton button, QPoint position)
    {
        QTest::mousePress(Grid().viewport(), button, Qt::NoModifier, position);
        QTest::mouseRelease(Grid().viewport(), button, Qt::NoModifier, position);
    }
    void Trigger(const char* item) { Child<QAction>(item).trigger(); }
    bool Ticked(int entity, int band, int mode) const
    {
        return m_matrix->IsTicked(entity, BandIndex{band}, ModeIndex{mode});
    }
    void Wheel(int notches)
    {
        const QPoint position = NamePoint(3);
        QWheelEvent event(position, Grid().viewport()->mapToGlobal(position), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(Grid().viewport(), &event);
    }

private slots:
    void initTestCase() { m_catalogue = BuildEntityCatalogue(); }
    void init()
    {
        m_matrix = std::make_unique<ConfirmationMatrix>();
        m_evaluation = std::make_unique<Evaluation>();
        Open();
    }
    void cleanup()
    {
        m_member.reset();
        m_evaluator.reset();
        m_window.reset();
    }

    void windowHasItsFixedClientAreaAndCaption()
    {
        QCOMPARE(m_window->size(), QSize(1018, 734));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(m_window->windowTitle().startsWith(QStringLiteral("Wendrix 1.37 - ")));
        QVERIFY(!m_window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(Grid().RowCount(), 339);
    }

    void controlsStartInTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("enabled");
        auto row = [](const char* name, QRect place, const QString& text, bool hidden,
                      bool enabled) {
            QTest::newRow(name) << QString::fromLatin1(name) << place << text << hidden << enabled;
        };
        row("DrawGrid", {-1, 115, 1018, 581}, {}, false, true);
        row("DrawGridHeader", {-1, 62, 997, 54}, {}, false, false);
        row("DrawGridSum", {0, 697, 996, 31}, {}, false, false);
        row("ButtonImport", {246, 5, 137, 25}, QStringLiteral("ADIF-Log(s) importieren"), false,
            true);
        row("ZtEditCall", {108, 6, 101, 21}, QString(), false, true);
        row("ButtonSave", {903, 6, 93, 25}, QStringLiteral("Liste speichern"), false, false);
        row("ButtonClear", {12, 32, 79, 25}, QStringLiteral("Liste löschen"), false, false);
        row("StaticText1", {424, 48, 193, 17},
            QStringLiteral(" Links-Klick: Ankreuzen / Kreuz löschen"), false, true);
        row("StaticText3", {652, 48, 248, 17},
            QStringLiteral(" Rechts-Klick: Menü für Spalten/Zeilenänderungen "), false, true);
        row("StaticTextSend", {416, 7, 457, 17}, QString(), true, true);
        row("ButtonLevels", {490, 4, 89, 25}, QStringLiteral("Schwellwerte"), true, true);
        row("ZtEditCalls", {181, 33, 53, 21}, QStringLiteral("EditCalls"), true, true);
        row("ButtonPrint", {934, 38, 62, 20}, QStringLiteral("Drucken"), false, true);
        row("Labelcall", {4, 10, 101, 13}, QStringLiteral("Eigenes Rufzeichen: "), false, true);
        row("Label1", {242, 33, 144, 12}, QStringLiteral("Hinweis: Addiert Bestätigungen zur"),
            false, true);
        row("Label2", {240, 46, 150, 12}, QStringLiteral("geladenen Liste (z.B. des Vorjahres)"),
            false, true);
    }
    void controlsStartInTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        QFETCH(bool, hidden);
        QFETCH(bool, enabled);
        auto* widget = m_window->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->geometry(), place);
        QCOMPARE(widget->isHidden(), hidden);
        QCOMPARE(widget->isEnabled(), enabled);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(button->text(), text);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(label->text(), text);
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(edit->text(), text);
        }
    }

    void levelsGridAppearsInItsPlaceAndTabOrder()
    {
        // Made at its first showing, it must take the place and the tab position it has among
        // the controls: after "Schwellwerte", before the calls edit and "Drucken".
        Open(true);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QVERIFY(!m_window->LevelsShown());
        QCOMPARE(m_window->LevelTexts(), QStringList(11, QString()));

        QStringList labels;
        QStringList values;
        for (int row = 0; row < 11; ++row) {
            labels << QStringLiteral("L%1").arg(row);
            values << QString::number(row * 10);
        }
        m_window->ShowLevels(labels, values);
        QVERIFY(m_window->LevelsShown());
        auto& grid = Child<QTableWidget>("StringGridLevel");
        QCOMPARE(grid.geometry(), QRect(500, 28, 135, 281));
        QVERIFY(grid.isEnabled());
        QCOMPARE(grid.item(3, 0)->text(), QStringLiteral("L3"));
        QCOMPARE(m_window->LevelTexts(), values);
        QCOMPARE(Child<QPushButton>("ButtonLevels").text(), QStringLiteral("Neu berechnen"));

        Child<QPushButton>("ButtonLevels").setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &grid);
        Child<QPushButton>("ButtonPrint").setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), &grid);

        m_window->HideLevels();
        QVERIFY(grid.isHidden());
        QVERIFY(!m_window->LevelsShown());
        QCOMPARE(Child<QPushButton>("ButtonLevels").text(), QStringLiteral("Schwellwerte"));
    }

    void tabVisitsTheControlsInTheirOrder()
    {
        // The hidden ones are passed over, the labels never take the focus.
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        Grid().setFocus();
        const char* order[] = {"ButtonImport", "ZtEditCall",  "ButtonSave",
                               "ButtonClear",  "ButtonPrint", "DrawGrid"};
        m_matrix->SetCell(1, BandIndex{0}, ModeIndex{kModeCw}, CellOperation::Set);
        for (const char* name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
    }

    void clickTogglesTheQuarterHit_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("quarter");
        for (const int column : {kFirstCountColumn, kColumn20m}) {
            for (int k = 0; k < 4; ++k) {
                QTest::addRow("column %d quarter %d", column, k) << column << k;
            }
        }
    }
    void clickTogglesTheQuarterHit()
    {
        QFETCH(int, column);
        QFETCH(int, quarter);
        const int band = BandOfColumn(column);
        const int mode = ModeOfQuarter(quarter);
        Click(Qt::LeftButton, QuarterPoint(column, 4, quarter));
        QVERIFY(Ticked(5, band, mode));
        QVERIFY(Ticked(5, band, kModeMixed));
        QVERIFY(Ticked(5, kAllBands, kModeMixed));
        QVERIFY(Child<QPushButton>("ButtonSave").isEnabled());
        QVERIFY(Child<QPushButton>("ButtonClear").isEnabled());
        QCOMPARE(m_matrix->ColumnSum(BandIndex{band}, ModeIndex{mode}), 1);

        Click(Qt::LeftButton, QuarterPoint(column, 4, quarter));
        QVERIFY(!Ticked(5, band, mode));
        QVERIFY(Child<QPushButton>("ButtonSave").isEnabled());
    }

    void clickOnMixedUnticksTheWholeBand()
    {
        m_matrix->SetCell(1, BandIndex{kBand20m}, ModeIndex{kModeRtty}, CellOperation::Set);
        Click(Qt::LeftButton, QuarterPoint(kColumn20m, 0, 0));
        QVERIFY(!Ticked(1, kBand20m, kModeRtty));
        QVERIFY(!Ticked(1, kAllBands, kModeMixed));
        QVERIFY(!Child<QPushButton>("ButtonClear").isEnabled());
    }

    void clickOn30mFoneChangesNothing()
    {
        Click(Qt::LeftButton, QuarterPoint(kColumn30m, 0, 2));
        QVERIFY(!Ticked(1, kBand30m, kModeFone));
        QVERIFY(!Ticked(1, kBand30m, kModeMixed));
        QVERIFY(!Child<QPushButton>("ButtonSave").isEnabled());
    }

    void clicksOutsideTheCountCellsChangeNothing()
    {
        Click(Qt::LeftButton, NamePoint(0));
        Click(Qt::LeftButton, MatrixView::MatrixDesign().CellRect(kPrefixColumn, 0).center());
        QCOMPARE(m_matrix->ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}), 0);
        QVERIFY(!m_matrix->Modified());
    }

    void saveButtonFollowsTheModifiedState()
    {
        auto& save = Child<QPushButton>("ButtonSave");
        QVERIFY(!m_matrix->SetCell(0, BandIndex{0}, ModeIndex{kModeCw}, CellOperation::Set));
        QVERIFY(!save.isEnabled());
        m_matrix->SetCell(7, BandIndex{0}, ModeIndex{kModeCw}, CellOperation::Set);
        QVERIFY(save.isEnabled());
        m_matrix->SetModified(false);
        QVERIFY(!save.isEnabled());
    }

    void popupItemsActOnTheRightClickedCell()
    {
        Click(Qt::RightButton, QuarterPoint(kColumn20m, 2, 3));
        QCOMPARE(m_matrix->ColumnSum(BandIndex{kBand20m}, ModeIndex{kModeRtty}), 0);
        QCOMPARE(m_window->Target().entity, 3);
        Trigger("colSetAll");
        QCOMPARE(m_matrix->ColumnSum(BandIndex{kBand20m}, ModeIndex{kModeRtty}), 339);
        Trigger("colResetAll");
        QCOMPARE(m_matrix->ColumnSum(BandIndex{kBand20m}, ModeIndex{kModeRtty}), 0);
        QCOMPARE(m_matrix->ColumnSum(BandIndex{kBand20m}, ModeIndex{kModeMixed}), 339);

        Trigger("rowSetFone");
        QVERIFY(Ticked(3, 0, kModeFone));
        QVERIFY(!Ticked(3, kBand30m, kModeFone));
        Trigger("rowSetCW");
        Trigger("rowSetRTTY");
        QVERIFY(Ticked(3, 9, kModeCw));
        QVERIFY(Ticked(3, 9, kModeRtty));
        Trigger("RowResetAll");
        QVERIFY(!Ticked(3, kBand20m, kModeMixed));
        Trigger("rowSetAll");
        QCOMPARE(m_matrix->ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeFone}), 1);
        QVERIFY(Child<QPushButton>("ButtonClear").isEnabled());
    }

    void rightClickOpensThePopupMenuOnlyInTheNormalMode()
    {
        for (const bool evaluationMode : {false, true}) {
            Open(evaluationMode);
            m_window->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
            const QPoint position = QuarterPoint(kColumn20m, 0, 1);
            Click(Qt::RightButton, position);
            QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                                    Grid().viewport()->mapToGlobal(position));
            QCoreApplication::sendEvent(Grid().viewport(), &event);
            auto& menu = Child<QMenu>("PopupMenu1");
            QCOMPARE(menu.isVisible(), !evaluationMode);
            menu.close();
        }
    }

    void rightClickOutsideTheCountColumnsDisablesTheColumnItems()
    {
        // An earlier target must not be reused, and 160 m CW must not be made up.
        Click(Qt::RightButton, QuarterPoint(kColumn20m, 0, 1));
        QVERIFY(Child<QAction>("colSetAll").isEnabled());
        Click(Qt::RightButton, NamePoint(5));
        QVERIFY(!Child<QAction>("colSetAll").isEnabled());
        QVERIFY(!Child<QAction>("colResetAll").isEnabled());
        QVERIFY(!Child<QMenu>("Col").menuAction()->isEnabled());
        QVERIFY(Child<QAction>("rowSetCW").isEnabled());
        Trigger("colSetAll");
        QCOMPARE(m_matrix->ColumnSum(BandIndex{0}, ModeIndex{kModeCw}), 0);
        QCOMPARE(m_matrix->ColumnSum(BandIndex{kBand20m}, ModeIndex{kModeCw}), 0);
        Trigger("rowSetCW");
        QVERIFY(Ticked(6, 0, kModeCw));
    }

    void rightClickBelowTheLastRowDisablesEveryItem()
    {
        Click(Qt::RightButton, QuarterPoint(kColumn20m, 0, 1));
        Grid().SetTopRow(339);
        QCOMPARE(Grid().TopRow(), 339 - Grid().FullyVisibleRows());
        Click(Qt::RightButton, QuarterPoint(kColumn20m, Grid().FullyVisibleRows(), 1));
        for (const char* item : {"colSetAll", "colResetAll", "rowSetAll", "rowSetCW", "rowSetFone",
                                 "rowSetRTTY", "RowResetAll"}) {
            QVERIFY2(!Child<QAction>(item).isEnabled(), item);
        }
        Trigger("colSetAll");
        Trigger("rowSetAll");
        QVERIFY(!m_matrix->Modified());
    }

    void clearListEmptiesTheMatrixButKeepsTheSaveState()
    {
        m_matrix->SetCell(4, BandIndex{2}, ModeIndex{kModeCw}, CellOperation::Set);
        m_matrix->SetCell(9, BandIndex{kAllBands}, ModeIndex{kModeRtty}, CellOperation::Set);
        auto& clear = Child<QPushButton>("ButtonClear");
        QVERIFY(clear.isEnabled());
        QTest::mouseClick(&clear, Qt::LeftButton);
        QCOMPARE(m_matrix->ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}), 0);
        QCOMPARE(m_matrix->ColumnSum(BandIndex{2}, ModeIndex{kModeCw}), 0);
        QVERIFY(!clear.isEnabled());
        QVERIFY(Child<QPushButton>("ButtonSave").isEnabled());
        Click(Qt::LeftButton, QuarterPoint(kColumn20m, 0, 1));
        QVERIFY(clear.isEnabled());
    }

    void wheelMovesOneRowPerNotchWithinTheRows()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        OwnerDrawGrid& grid = Grid();
        QCOMPARE(grid.FullyVisibleRows(), 23);
        Wheel(-1);
        QCOMPARE(grid.TopRow(), 1);
        Wheel(-3);
        QCOMPARE(grid.TopRow(), 4);
        Wheel(2);
        QCOMPARE(grid.TopRow(), 2);
        Wheel(5);
        QCOMPARE(grid.TopRow(), 0);
        grid.SetTopRow(339 - 23 - 1);
        Wheel(-3);
        QCOMPARE(grid.TopRow(), 339 - 23);
        // After scrolling a click hits the row shown, not the row of the same place before.
        Click(Qt::LeftButton, QuarterPoint(kColumn20m, 0, 1));
        QVERIFY(Ticked(339 - 23 + 1, kBand20m, kModeCw));
    }

    void scrollingKeepsTheCurrentRowVisible()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        OwnerDrawGrid& grid = Grid();
        grid.SetCurrentRow(5);
        grid.SetTopRow(50);
        QCOMPARE(grid.CurrentRow(), 50);
        grid.SetCurrentRow(60);
        grid.SetTopRow(10);
        QCOMPARE(grid.CurrentRow(), 10 + grid.FullyVisibleRows() - 1);
    }

    void evaluationClickShowsTheConfirmingCalls()
    {
        ConfirmationMatrix list;
        list.SetCell(2, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
        BandThresholds thresholds;
        thresholds.minimum.fill(0);
        m_evaluation->AccumulateParticipant("DL1ABC", list, thresholds);
        m_evaluation->AccumulateParticipant("DK2XY", list, thresholds);
        Open(true);
        QVERIFY(Child<QPushButton>("ButtonLevels").isVisibleTo(m_window.get()));
        QVERIFY(Child<QWidget>("ButtonImport").isHidden());
        QCOMPARE(Child<QLabel>("StaticText3").text(), QStringLiteral("Prozentual bestätigt : "));

        auto& calls = Child<QLineEdit>("ZtEditCalls");
        Click(Qt::LeftButton, QuarterPoint(kColumn20m, 1, 1));
        QVERIFY(!calls.isHidden());
        QCOMPARE(calls.text(), QStringLiteral("DL1ABC DK2XY "));
        QCOMPARE(calls.geometry(), QRect(20, 33, 450, 21));
        QVERIFY(!m_matrix->Modified());

        Click(Qt::RightButton, QuarterPoint(kColumn20m, 0, 1));
        QCOMPARE(calls.text(), QString());
        Click(Qt::LeftButton, NamePoint(1));
        QVERIFY(calls.isHidden());
        QCOMPARE(m_matrix->ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}), 0);
    }

    // Ctrl+Z and Ctrl+Y reach the member's changes from anywhere in the window, except the
    // call-sign edit, which keeps them for its own text.
    void undoKeysTakeTheLastClickBackOutsideTheCallSignEdit()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        Click(Qt::LeftButton, QuarterPoint(kColumn20m, 0, 1));
        QVERIFY(Ticked(1, kBand20m, kModeCw));
        auto& call = Child<QLineEdit>("ZtEditCall");
        call.setFocus();
        QTest::keyClicks(&call, QStringLiteral("DL1"));
        QTest::keyClick(&call, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(Ticked(1, kBand20m, kModeCw));
        Grid().setFocus();
        QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!Ticked(1, kBand20m, kModeCw));
        QVERIFY(!Child<QPushButton>("ButtonSave").isEnabled());
        QTest::keyClick(&Grid(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(Ticked(1, kBand20m, kModeCw));
        QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(Ticked(1, kBand20m, kModeCw));
    }

    void closeGuardCanKeepTheWindowOpen()
    {
        m_window->show();
        bool allow = false;
        int asked = 0;
        m_window->SetCloseGuard([&] {
            ++asked;
            return allow;
        });
        QVERIFY(!m_window->close());
        QVERIFY(m_window->isVisible());
        allow = true;
        QVERIFY(m_window->close());
        QCOMPARE(asked, 2);
    }
};

QTEST_MAIN(TestTKvMainForm)
#include "tst_TKvMainForm.moc"
