// SPDX-License-Identifier: GPL-3.0-or-later
// What the three grids paint: the grids are rendered into images and sampled at the quarters.
#include <memory>
#include <optional>

#include <QImage>
#include <QPaintEvent>
#include <QTest>

#include "catalogue/EntityCatalogue.h"
#include "evaluation/Evaluation.h"
#include "matrix/ConfirmationMatrix.h"
#include "ui/TKvMainForm.h"
#include "ui/matrix/ColumnGeometry.h"
#include "ui/matrix/MatrixStyle.h"
#include "ui/matrix/MatrixView.h"
#include "ui/matrix/OwnerDrawGrid.h"

using namespace wendrix;
using namespace wendrix::ui;

namespace {

constexpr int kColumn20m = 3 + kBand20m;
constexpr int kColumn6m = 12;

QImage Render(OwnerDrawGrid& grid)
{
    return grid.viewport()->grab().toImage();
}

QColor At(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

// Quarter k of a count column in a grid row, as the matrix paints it (one pixel narrower).
QRect MatrixQuarter(int column, int visibleRow, int k)
{
    const QRect cell = MatrixView::MatrixDesign().CellRect(column, visibleRow);
    return QuarterRect(cell, k, QuarterSpacing::Gapped);
}

// Whether any pixel in the rectangle is close to the colour (text is drawn antialiased).
bool HasPixelNear(const QImage& image, const QRect& area, const QColor& colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 40 &&
                std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40) {
                return true;
            }
        }
    }
    return false;
}

// Records the region of every paint of a widget.
class PaintSpy final : public QObject
{
public:
    explicit PaintSpy(QWidget& widget) { widget.installEventFilter(this); }
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

}  // namespace

class TestMatrixPainting : public QObject
{
    Q_OBJECT

private:
    std::optional<EntityCatalogue> m_catalogue;
    std::unique_ptr<ConfirmationMatrix> m_matrix;
    std::unique_ptr<Evaluation> m_evaluation;

    std::unique_ptr<TKvMainForm> MakeWindow(bool evaluationMode)
    {
        if (!evaluationMode) {
            return std::make_unique<TKvMainForm>(*m_catalogue, *m_matrix,
                                                 TickPainters(*m_catalogue, *m_matrix));
        }
        auto window = std::make_unique<TKvMainForm>(*m_catalogue, *m_matrix,
                                                    SharePainters(*m_catalogue, *m_evaluation));
        window->ArrangeForEvaluation();
        return window;
    }
    static OwnerDrawGrid& Grid(TKvMainForm& window, const char* name)
    {
        auto* grid = window.findChild<OwnerDrawGrid*>(QLatin1String(name));
        Q_ASSERT(grid != nullptr);
        return *grid;
    }
    static QColor Fixed() { return GridColours::FromPalette(QPalette()).Fixed; }

private slots:
    void initTestCase() { m_catalogue = BuildEntityCatalogue(); }
    void init()
    {
        m_matrix = std::make_unique<ConfirmationMatrix>();
        m_evaluation = std::make_unique<Evaluation>();
    }

    void headerQuartersCarryTheModeColoursExcept30mFone()
    {
        auto window = MakeWindow(false);
        const QImage image = Render(Grid(*window, "DrawGridHeader"));
        const GridGeometry header = MatrixView::HeaderDesign();
        for (int column = kFirstCountColumn; column <= kLastCountColumn; ++column) {
            const QRect cell = header.CellRect(column, 1);
            for (int k = 0; k < 4; ++k) {
                const QRect quarter = QuarterRect(cell, k, QuarterSpacing::Touching);
                // Bottom left, below the letter; the header's quarters touch, no gap.
                const QColor expected = column == kColumn30m && k == 2
                                            ? QColor(Qt::white)
                                            : ModeColours()[static_cast<std::size_t>(k)];
                QCOMPARE(At(image, quarter.left(), quarter.bottom() - 1), expected);
                QCOMPARE(At(image, quarter.right(), quarter.bottom() - 1), expected);
            }
        }
        QCOMPARE(At(image, 5, 5), Fixed());
    }

    void tickedQuartersAreFilledAndOthersFramed()
    {
        m_matrix->SetCell(1, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
        auto window = MakeWindow(false);
        const QImage image = Render(Grid(*window, "DrawGrid"));

        // 20 m CW ticks Mixed and CW on 20 m and in the all-bands column.
        for (const int column : {kFirstCountColumn, kColumn20m}) {
            for (int k = 0; k < 4; ++k) {
                const QRect quarter = MatrixQuarter(column, 0, k);
                const QColor colour = ModeColours()[static_cast<std::size_t>(k)];
                const bool ticked = k <= 1;
                QCOMPARE(At(image, quarter.left(), quarter.center().y()), colour);
                QCOMPARE(At(image, quarter.left() + 2, quarter.bottom() - 1),
                         ticked ? colour : QColor(Qt::white));
                // One pixel of gap after every quarter.
                QCOMPARE(At(image, quarter.right() + 1, quarter.center().y()), QColor(Qt::white));
            }
        }
        // The next row has frames only.
        const QRect below = MatrixQuarter(kColumn20m, 1, 1);
        QCOMPARE(At(image, below.left() + 2, below.bottom() - 1), QColor(Qt::white));
        QCOMPARE(At(image, below.left(), below.center().y()), ModeColours()[1]);
        // Prefix and name cells in the fixed colour.
        QCOMPARE(At(image, 1, 22), Fixed());
        QCOMPARE(At(image, 200, 22), Fixed());
    }

    void the30mFoneQuarterIsNeverPainted()
    {
        for (int mode = 0; mode < kModeCount; ++mode) {
            m_matrix->SetCell(1, BandIndex{kBand30m}, ModeIndex{mode}, CellOperation::Set);
        }
        auto window = MakeWindow(false);
        const QImage image = Render(Grid(*window, "DrawGrid"));
        const QRect fone = MatrixQuarter(kColumn30m, 0, 2);
        for (int x = fone.left(); x <= fone.right(); ++x) {
            QCOMPARE(At(image, x, fone.center().y()), QColor(Qt::white));
        }
        QCOMPARE(At(image, MatrixQuarter(kColumn30m, 0, 3).left() + 2, fone.bottom() - 1),
                 ModeColours()[3]);
    }

    void sumRowShowsTheFiguresInTheirColoursAndNoFoneOn30m()
    {
        m_matrix->SetCell(1, BandIndex{kBand20m}, ModeIndex{kModeFone}, CellOperation::Set);
        m_matrix->SetCell(1, BandIndex{kBand30m}, ModeIndex{kModeCw}, CellOperation::Set);
        auto window = MakeWindow(false);
        const QImage image = Render(Grid(*window, "DrawGridSum"));
        const GridGeometry sum = MatrixView::SumDesign();

        const QRect cell20m = sum.CellRect(kColumn20m, 0);
        const QRect foneFigure(cell20m.left() + 30, cell20m.top() + 1, 20, 12);
        QVERIFY(HasPixelNear(image, foneFigure, SumRowColours()[2]));
        const QRect mixedFigure(cell20m.left() + 1, cell20m.top() + 1, 12, 12);
        QVERIFY(HasPixelNear(image, mixedFigure, SumRowColours()[0]));

        const QRect cell30m = sum.CellRect(kColumn30m, 0);
        QVERIFY(!HasPixelNear(image, cell30m, SumRowColours()[2]));
        QVERIFY(HasPixelNear(image, cell30m, SumRowColours()[1]));
        QCOMPARE(At(image, cell30m.right(), cell30m.bottom()), Fixed());
    }

    void evaluationFillsOnlyColumnsWithCountedLists()
    {
        // One list confirming entity 1 on 6 m CW; 160 m needs more than it has, so no list
        // counts there and its quarters stay frames.
        ConfirmationMatrix list;
        list.SetCell(1, BandIndex{9}, ModeIndex{kModeCw}, CellOperation::Set);
        BandThresholds thresholds;
        thresholds.minimum.fill(0);
        thresholds.minimum[0] = 5;
        m_evaluation->AccumulateParticipant("DL1ABC", list, thresholds);
        auto window = MakeWindow(true);
        const QImage image = Render(Grid(*window, "DrawGrid"));

        for (int k = 0; k < 4; ++k) {
            const QColor colour = ModeColours()[static_cast<std::size_t>(k)];
            // 6 m: filled in every row, with "100" or "-" on it.
            for (const int visibleRow : {0, 1}) {
                const QRect quarter = MatrixQuarter(kColumn6m, visibleRow, k);
                QCOMPARE(At(image, quarter.left() + 1, quarter.bottom() - 1), colour);
            }
            const QRect framed = MatrixQuarter(3, 0, k);
            QCOMPARE(At(image, framed.left(), framed.center().y()), colour);
            QCOMPARE(At(image, framed.left() + 2, framed.bottom() - 1), QColor(Qt::white));
        }
    }

    void aChangedCellRepaintsOnlyItsQuartersAndSumColumns()
    {
        auto window = MakeWindow(false);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        OwnerDrawGrid& grid = Grid(*window, "DrawGrid");
        OwnerDrawGrid& sum = Grid(*window, "DrawGridSum");
        QTRY_VERIFY(grid.viewport()->isVisible());
        QTest::qWait(20);
        PaintSpy gridSpy(*grid.viewport());
        PaintSpy sumSpy(*sum.viewport());

        m_matrix->SetCell(3, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
        QTRY_VERIFY(gridSpy.paints > 0 && sumSpy.paints > 0);

        const GridGeometry design = MatrixView::MatrixDesign();
        const QRegion changed = QRegion(design.CellRect(kFirstCountColumn, 2)) +
                                QRegion(design.CellRect(kColumn20m, 2));
        QVERIFY(gridSpy.painted.intersects(MatrixQuarter(kColumn20m, 2, 1)));
        QCOMPARE(gridSpy.painted - changed, QRegion());
        // The sum row: the two columns and the award counts, not the other bands.
        QVERIFY(!sumSpy.painted.intersects(MatrixView::SumDesign().CellRect(3, 0)));
        QVERIFY(sumSpy.painted.intersects(MatrixView::SumDesign().CellRect(kNameColumn, 0)));
    }
};

QTEST_MAIN(TestMatrixPainting)
#include "tst_MatrixPainting.moc"
