#include <algorithm>
#include <vector>

#include <QSize>
#include <QTest>

#include "ui/print/PrintLayout.h"

using wendrix::PrintLayout;
using wendrix::PrintPlace;

namespace {

// Bold Arial: the advance of "C" is 0.722 em, a character cell 1.117 em high.
int BoldCWidth(int charHeight)
{
    return charHeight * 722 / 1000;
}
int CellHeight(int charHeight)
{
    return charHeight * 1117 / 1000 + 1;
}

}  // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    void entityLandsOnItsPageBlockAndRow_data()
    {
        QTest::addColumn<int>("entityCount");
        QTest::addColumn<int>("entity");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("row");
        // 339 entities: 85 rows per block.
        QTest::newRow("339: first") << 339 << 1 << 1 << 0 << 1;
        QTest::newRow("339: end of page 1 left") << 339 << 85 << 1 << 0 << 85;
        QTest::newRow("339: start of page 1 right") << 339 << 86 << 1 << 1 << 1;
        QTest::newRow("339: end of page 1") << 339 << 170 << 1 << 1 << 85;
        QTest::newRow("339: start of page 2") << 339 << 171 << 2 << 0 << 1;
        QTest::newRow("339: end of page 2 left") << 339 << 255 << 2 << 0 << 85;
        QTest::newRow("339: start of page 2 right") << 339 << 256 << 2 << 1 << 1;
        QTest::newRow("339: last") << 339 << 339 << 2 << 1 << 84;
        QTest::newRow("400: last, full block") << 400 << 400 << 2 << 1 << 100;
        QTest::newRow("5: two rows per block") << 5 << 5 << 2 << 0 << 1;
        QTest::newRow("1: alone") << 1 << 1 << 1 << 0 << 1;
    }

    void entityLandsOnItsPageBlockAndRow()
    {
        QFETCH(int, entityCount);
        QFETCH(int, entity);
        QFETCH(int, page);
        QFETCH(int, block);
        QFETCH(int, row);
        const PrintLayout layout(4760, 6814, entityCount);
        QCOMPARE(layout.PlaceOf(entity), (PrintPlace{page, block, row}));
        QCOMPARE(layout.EntityAt(page, block, row), entity);
    }

    void blocksHoldEveryEntityOnce_data()
    {
        QTest::addColumn<int>("entityCount");
        QTest::addColumn<std::vector<int>>("perBlock");   // page 1 left, right, page 2 left, right
        QTest::newRow("339") << 339 << std::vector<int>{85, 85, 85, 84};
        QTest::newRow("340, all full") << 340 << std::vector<int>{85, 85, 85, 85};
        QTest::newRow("337") << 337 << std::vector<int>{85, 85, 85, 82};
        QTest::newRow("9, right of page 2 empty") << 9 << std::vector<int>{3, 3, 3, 0};
        QTest::newRow("5") << 5 << std::vector<int>{2, 2, 1, 0};
        QTest::newRow("1") << 1 << std::vector<int>{1, 0, 0, 0};
        QTest::newRow("none") << 0 << std::vector<int>{0, 0, 0, 0};
    }

    void blocksHoldEveryEntityOnce()
    {
        QFETCH(int, entityCount);
        QFETCH(std::vector<int>, perBlock);
        const PrintLayout layout(2400, 3150, entityCount);
        std::vector<int> seen(static_cast<std::size_t>(entityCount) + 1, 0);
        std::vector<int> held;
        for (int page = 1; page <= PrintLayout::kPages; ++page) {
            for (int block = 0; block < PrintLayout::kBlocksPerPage; ++block) {
                int count = 0;
                for (int row = 1; row <= layout.RowsPerBlock(); ++row) {
                    const int entity = layout.EntityAt(page, block, row);
                    if (entity != 0) {
                        QVERIFY(entity >= 1 && entity <= entityCount);
                        ++seen[static_cast<std::size_t>(entity)];
                        // Blocks fill from the top: no gap before an entity.
                        QCOMPARE(count, row - 1);
                        ++count;
                    }
                }
                held.push_back(count);
            }
        }
        QCOMPARE(held, perBlock);
        QCOMPARE(std::count(seen.begin() + 1, seen.end(), 1), qsizetype(entityCount));
        QCOMPARE(layout.PlaceOf(entityCount + 1), PrintPlace{});
        QCOMPARE(layout.PlaceOf(0), PrintPlace{});
    }

    // The totals start two pitches below the right block's last entity, one pitch below a full
    // block, and right under the header pitch when that block is empty.
    void totalsFollowTheRightBlocksLastRow_data()
    {
        QTest::addColumn<int>("entityCount");
        QTest::addColumn<int>("lastEntityRow");
        QTest::addColumn<int>("pitches");
        QTest::newRow("339") << 339 << 84 << 2;
        QTest::newRow("340, full") << 340 << 85 << 1;
        QTest::newRow("337") << 337 << 82 << 2;
        QTest::newRow("400, full") << 400 << 100 << 1;
        QTest::newRow("9, empty") << 9 << 0 << 2;
    }

    void totalsFollowTheRightBlocksLastRow()
    {
        QFETCH(int, entityCount);
        QFETCH(int, lastEntityRow);
        QFETCH(int, pitches);
        for (const QSize page : {QSize(4760, 6814), QSize(2400, 3150)}) {
            const PrintLayout layout(page.width(), page.height(), entityCount);
            QCOMPARE(layout.TotalsY(),
                     layout.RowY(lastEntityRow) + pitches * layout.LinePitch());
            // The award counts stand below every block of both pages.
            QVERIFY(layout.AwardsY() >= layout.RowY(layout.RowsPerBlock()) + layout.LinePitch());
            QVERIFY(layout.AwardsY() >= layout.MixedTotalsY());
        }
    }

    // At printer resolutions nothing touches anything else or leaves the page. The heights
    // include exact multiples of the row count plus five, where the totals at the Part's pitch
    // would run off the bottom and the pitch gives up a pixel; elsewhere the pitch is
    // PH / (R + 5) as it stands.
    void everythingStaysApartAndOnThePage_data()
    {
        QTest::addColumn<QSize>("page");
        QTest::addColumn<int>("entityCount");
        QTest::addColumn<int>("pitch");
        QTest::newRow("A4 600 dpi, 339") << QSize(4760, 6814) << 339 << 75;
        QTest::newRow("A4 600 dpi, 400") << QSize(4760, 6814) << 400 << 64;
        QTest::newRow("A4 300 dpi, 339") << QSize(2380, 3400) << 339 << 37;
        QTest::newRow("Letter 300 dpi, 340") << QSize(2400, 3200) << 340 << 35;
        QTest::newRow("no slack, 339") << QSize(4760, 90 * 77) << 339 << 76;
        QTest::newRow("no slack, 340") << QSize(2400, 90 * 36) << 340 << 35;
        QTest::newRow("no slack, 400") << QSize(2400, 105 * 31) << 400 << 30;
    }

    void everythingStaysApartAndOnThePage()
    {
        QFETCH(QSize, page);
        QFETCH(int, entityCount);
        QFETCH(int, pitch);
        const PrintLayout unmeasured(page.width(), page.height(), entityCount);
        const PrintLayout layout = unmeasured.WithBoxWidth(BoldCWidth(unmeasured.CharHeight()));
        const int rows = layout.RowsPerBlock();
        QCOMPARE(layout.LinePitch(), pitch);
        QCOMPARE(layout.CharHeight(), pitch * 5 / 6);

        for (int block = 0; block < PrintLayout::kBlocksPerPage; ++block) {
            for (int band = 0; band < PrintLayout::kBands; ++band) {
                for (int box = 0; box + 1 < PrintLayout::kBoxes; ++box) {
                    QVERIFY(layout.BoxRect(block, band, box, 1).right() <
                            layout.BoxRect(block, band, box + 1, 1).left());
                }
                if (band + 1 < PrintLayout::kBands) {
                    QVERIFY(layout.BoxRect(block, band, 2, 1).right() <
                            layout.BoxRect(block, band + 1, 0, 1).left());
                }
            }
        }
        QVERIFY(layout.BoxRect(0, 9, 2, 1).right() < layout.BlockX(1));
        QVERIFY(layout.BoxRect(1, 9, 2, 1).right() < layout.PageWidth());
        QVERIFY(layout.HeaderY() + CellHeight(layout.CharHeight()) <=
                layout.BoxRect(0, 0, 0, 1).top());
        QVERIFY(layout.BoxRect(0, 0, 0, 1).bottom() < layout.BoxRect(0, 0, 0, 2).top());
        QVERIFY(layout.BoxRect(1, 9, 2, rows).bottom() < layout.PageHeight());

        // The per-mode totals start below the right block's last boxes; the Mixed totals and
        // the award counts end on the page.
        const int lastRight = layout.LastVisitedRow(2, 1);
        QVERIFY(layout.TotalsY() > layout.BoxRect(1, 0, 0, lastRight).bottom());
        QVERIFY(layout.MixedTotalsY() + layout.CharHeight() <= layout.PageHeight());
        QVERIFY2(layout.AwardsY() + layout.CharHeight() <= layout.PageHeight(),
                 "award counts cut off");
    }

    void tinyPagesKeepSizesNonNegative_data()
    {
        QTest::addColumn<QSize>("page");
        QTest::addColumn<int>("entityCount");
        QTest::newRow("empty page") << QSize(0, 0) << 339;
        QTest::newRow("lower than the rows") << QSize(300, 60) << 339;
        QTest::newRow("no entities") << QSize(300, 60) << 0;
    }

    void tinyPagesKeepSizesNonNegative()
    {
        QFETCH(QSize, page);
        QFETCH(int, entityCount);
        const PrintLayout layout(page.width(), page.height(), entityCount);
        QVERIFY(layout.LinePitch() >= 0);
        QVERIFY(layout.CharHeight() >= 0);
        QVERIFY(layout.BandWidth() >= 0);
        QVERIFY(layout.TotalsY() >= 0);
        QVERIFY(layout.AwardsY() >= 0);
    }
};

QTEST_APPLESS_MAIN(TestPrintLayout)
#include "tst_PrintLayout.moc"
