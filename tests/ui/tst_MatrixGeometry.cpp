// SPDX-License-Identifier: GPL-3.0-or-later
// Where the cells and quarters of the matrix grids lie, what a mouse position hits, and how the
// sizes scale with the screen.
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include "ui/WindowScaling.h"
#include "ui/matrix/ColumnGeometry.h"
#include "ui/matrix/GridGeometry.h"
#include "ui/matrix/HeaderCellPainter.h"
#include "ui/matrix/MatrixView.h"

using namespace wendrix;
using namespace wendrix::ui;

class TestMatrixGeometry : public QObject
{
    Q_OBJECT

private slots:
    void cellsAreSeparatedByOneLinePixel()
    {
        const GridGeometry grid = MatrixView::MatrixDesign();
        QCOMPARE(grid.CellRect(0, 0), QRect(0, 0, 64, 24));
        QCOMPARE(grid.CellRect(1, 0), QRect(65, 0, 213, 24));
        QCOMPARE(grid.CellRect(2, 3), QRect(279, 75, 64, 24));
        QCOMPARE(grid.CellRect(12, 0).right(), 992);
        QCOMPARE(grid.ContentWidth(), 994);
    }

    void columnAtCountsTheLineToTheCellLeftOfIt_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("column");
        QTest::newRow("first pixel") << 0 << 0;
        QTest::newRow("last pixel of the prefix") << 63 << 0;
        QTest::newRow("line after the prefix") << 64 << 0;
        QTest::newRow("first pixel of the name") << 65 << 1;
        QTest::newRow("first pixel of Total") << 279 << 2;
        QTest::newRow("last line") << 993 << 12;
        QTest::newRow("beyond") << 994 << -1;
        QTest::newRow("left of the grid") << -1 << -1;
    }
    void columnAtCountsTheLineToTheCellLeftOfIt()
    {
        QFETCH(int, x);
        QFETCH(int, column);
        QCOMPARE(MatrixView::MatrixDesign().ColumnAt(x), column);
    }

    void visibleRowsOfTheMatrixViewport()
    {
        const GridGeometry grid = MatrixView::MatrixDesign();
        // 581 high with a 2-pixel frame above and below: 23 whole rows of 25, a 24th cut off.
        QCOMPARE(grid.FullyVisibleRows(577), 23);
        QCOMPARE(grid.PartlyVisibleRows(577), 24);
        QCOMPARE(grid.FullyVisibleRows(24), 1);  // the last line may be cut
        QCOMPARE(grid.FullyVisibleRows(23), 0);
    }

    void quartersOf64PixelsAre16WideAndGappedInTheMatrix()
    {
        const QRect cell(279, 0, 64, 24);
        QCOMPARE(QuarterWidth(cell), 16);
        QCOMPARE(QuarterRect(cell, 0, QuarterSpacing::Touching), QRect(279, 0, 16, 24));
        QCOMPARE(QuarterRect(cell, 3, QuarterSpacing::Touching), QRect(327, 0, 16, 24));
        QCOMPARE(QuarterRect(cell, 1, QuarterSpacing::Gapped), QRect(295, 0, 15, 24));
        // A width that does not divide by 4 is rounded down; the rest stays right of quarter 3.
        QCOMPARE(QuarterWidth(QRect(0, 0, 67, 24)), 16);
    }

    void headerRecordsTheGeometryItIsSeededWith()
    {
        // The sum row and the hit test rely on the geometry before the header was ever painted;
        // painting it must not move anything.
        const GridGeometry header = MatrixView::HeaderDesign();
        const ColumnGeometry seeded(header);
        ColumnGeometry recorded;
        QVERIFY(!recorded.IsRecorded());
        const HeaderCellPainter painter(recorded, GridColours{});
        QImage image(1000, 60, QImage::Format_RGB32);
        QPainter p(&image);
        for (int column = kFirstCountColumn; column <= kLastCountColumn; ++column) {
            painter.PaintCell(p, column, 1, header.CellRect(column, 1));
        }
        QVERIFY(recorded.IsRecorded());
        for (int column = kFirstCountColumn; column <= kLastCountColumn; ++column) {
            QCOMPARE(recorded.Edge(column), seeded.Edge(column));
        }
        QCOMPARE(seeded.Edge(2), (ColumnEdge{279, 16}));
        QCOMPARE(seeded.Edge(12), (ColumnEdge{929, 16}));
    }

    void hitTestFindsBandAndModeOfAQuarter_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("mode");
        QTest::newRow("Total, Mixed, first pixel") << 279 << kAllBands << kModeMixed;
        QTest::newRow("Total, CW, first pixel") << 295 << kAllBands << kModeCw;
        QTest::newRow("Total, CW, last pixel") << 310 << kAllBands << kModeCw;
        QTest::newRow("Total, Fone") << 311 << kAllBands << kModeFone;
        QTest::newRow("Total, RTTY") << 327 << kAllBands << kModeRtty;
        QTest::newRow("line after Total counts as RTTY") << 343 << kAllBands << kModeRtty;
        QTest::newRow("160 m, Mixed") << 344 << 0 << kModeMixed;
        QTest::newRow("30 m, Fone") << 279 + 4 * 65 + 33 << kBand30m << kModeFone;
        QTest::newRow("6 m, RTTY") << 929 + 50 << 9 << kModeRtty;
        QTest::newRow("right of the last column") << 1005 << 9 << kModeRtty;
    }
    void hitTestFindsBandAndModeOfAQuarter()
    {
        QFETCH(int, x);
        QFETCH(int, band);
        QFETCH(int, mode);
        const ColumnGeometry columns(MatrixView::HeaderDesign());
        const auto hit = HitTestMatrix(QPoint(x, 30), 24, 0, 339, columns);
        QVERIFY(hit.has_value());
        QCOMPARE(hit->Entity, 2);
        QVERIFY(hit->Cell.has_value());
        QCOMPARE(hit->Cell->Band.Value(), band);
        QCOMPARE(hit->Cell->Mode.Value(), mode);
    }

    void quarterBeyondFourWidthsCountsAsRtty()
    {
        // W rounded down leaves pixels right of the fourth quarter: they belong to RTTY.
        ColumnGeometry columns;
        for (int column = kFirstCountColumn; column <= kLastCountColumn; ++column) {
            columns.Record(column, 100 + (column - 2) * 68, 16);
        }
        const auto hit = columns.HitAt(100 + 66);
        QVERIFY(hit.has_value());
        QCOMPARE(hit->Quarter, 3);
        QCOMPARE(hit->Mode.Value(), kModeRtty);
    }

    void hitTestOutsideTheCountColumnsAndBelowTheRows()
    {
        const ColumnGeometry columns(MatrixView::HeaderDesign());
        const auto name = HitTestMatrix(QPoint(100, 0), 24, 10, 339, columns);
        QVERIFY(name.has_value());
        QCOMPARE(name->Entity, 11);
        QVERIFY(!name->Cell.has_value());
        // Row = y / 25 + top row: with the top row at 330, the 9th visible row is row 338.
        QVERIFY(HitTestMatrix(QPoint(300, 8 * 25), 24, 330, 339, columns).has_value());
        QVERIFY(!HitTestMatrix(QPoint(300, 9 * 25), 24, 330, 339, columns).has_value());
        // Nothing recorded yet: no count cell, never a division by a zero width.
        QVERIFY(!HitTestMatrix(QPoint(300, 0), 24, 0, 339, ColumnGeometry{})->Cell.has_value());
    }

    void gridSizesScaleByPpiOver96_data()
    {
        QTest::addColumn<int>("ppi");
        QTest::addColumn<int>("narrow");
        QTest::addColumn<int>("name");
        QTest::addColumn<int>("row");
        QTest::newRow("96: unchanged") << 96 << 64 << 213 << 24;
        QTest::newRow("120") << 120 << 80 << 266 << 30;
        QTest::newRow("144") << 144 << 96 << 319 << 36;
        QTest::newRow("72: rounded toward zero") << 72 << 48 << 159 << 18;
    }
    void gridSizesScaleByPpiOver96()
    {
        QFETCH(int, ppi);
        QFETCH(int, narrow);
        QFETCH(int, name);
        QFETCH(int, row);
        const GridGeometry scaled = ScaleGrid(MatrixView::MatrixDesign(), ppi);
        QCOMPARE(scaled.ColumnWidths()[0], narrow);
        QCOMPARE(scaled.ColumnWidths()[1], name);
        QCOMPARE(scaled.ColumnWidths()[12], narrow);
        QCOMPARE(scaled.RowHeight(), row);
        QCOMPARE(scaled.LineWidth(), 1);
    }

    void windowScalingMovesChildrenOnceAndLeaves96Alone()
    {
        QWidget window;
        window.setFixedSize(1018, 734);
        auto* child = new QLabel(&window);
        child->setGeometry(-1, 115, 1018, 581);
        QFont font = child->font();
        font.setPixelSize(11);
        child->setFont(font);

        ScaleWindow(window, 96);
        QCOMPARE(window.size(), QSize(1018, 734));
        QCOMPARE(child->geometry(), QRect(-1, 115, 1018, 581));

        ScaleWindow(window, 120);
        QCOMPARE(window.size(), QSize(1272, 917));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(child->geometry(), QRect(-1, 143, 1272, 726));
        QCOMPARE(child->font().pixelSize(), 13);
    }

    void toolkitScalingLeavesNothingForTheWindowToScale()
    {
        // With the toolkit's own high-DPI scaling, windows see 96 and are not scaled again.
        QWidget window;
        QCOMPARE(ResidualPpi(window), 96);
    }
};

QTEST_MAIN(TestMatrixGeometry)
#include "tst_MatrixGeometry.moc"
