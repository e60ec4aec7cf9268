// SPDX-License-Identifier: GPL-3.0-or-later
#include <vector>

#include <QSize>
#include <QTest>

#include "ui/print/PrintLayout.h"

using wendrix::PrintLayout;

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    // Reading page 1 left, page 1 right, page 2 left, page 2 right, each top to bottom, gives
    // the entities 1..N in order, filled from the top of each block.
    void blocksHoldTheEntitiesInOrder_data()
    {
        QTest::addColumn<int>("entityCount");
        QTest::addColumn<std::vector<int>>("perBlock");
        QTest::newRow("339") << 339 << std::vector<int>{85, 85, 85, 84};
        QTest::newRow("340, all full") << 340 << std::vector<int>{85, 85, 85, 85};
        QTest::newRow("400") << 400 << std::vector<int>{100, 100, 100, 100};
        QTest::newRow("9, right of page 2 empty") << 9 << std::vector<int>{3, 3, 3, 0};
        QTest::newRow("1") << 1 << std::vector<int>{1, 0, 0, 0};
    }

    void blocksHoldTheEntitiesInOrder()
    {
        QFETCH(int, entityCount);
        QFETCH(std::vector<int>, perBlock);
        const PrintLayout layout(2400, 3150, entityCount);
        std::vector<int> held;
        int next = 1;
        for (int page = 1; page <= PrintLayout::kPages; ++page) {
            for (int block = 0; block < PrintLayout::kBlocksPerPage; ++block) {
                int count = 0;
                for (int row = 1; row <= layout.RowsPerBlock(); ++row) {
                    const int entity = layout.EntityAt(page, block, row);
                    if (entity != 0) {
                        QCOMPARE(row, count + 1);
                        QCOMPARE(entity, next);
                        ++next;
                        ++count;
                    }
                }
                held.push_back(count);
            }
        }
        QCOMPARE(held, perBlock);
        QCOMPARE(next, entityCount + 1);
    }

    // The totals start two pitches below the right block's last entity, one pitch below a full
    // block; the award counts stand below every block.
    void totalsFollowTheRightBlocksLastRow_data()
    {
        QTest::addColumn<int>("entityCount");
        QTest::addColumn<int>("lastEntityRow");
        QTest::addColumn<int>("pitches");
        QTest::newRow("339") << 339 << 84 << 2;
        QTest::newRow("340, full") << 340 << 85 << 1;
        QTest::newRow("337") << 337 << 82 << 2;
        QTest::newRow("9, empty") << 9 << 0 << 2;
    }

    void totalsFollowTheRightBlocksLastRow()
    {
        QFETCH(int, entityCount);
        QFETCH(int, lastEntityRow);
        QFETCH(int, pitches);
        for (const QSize page : {QSize(4760, 6814), QSize(2400, 3200)}) {
            const PrintLayout layout(page.width(), page.height(), entityCount);
            QCOMPARE(layout.TotalsY(), layout.RowY(lastEntityRow) + pitches * layout.LinePitch());
            QVERIFY(layout.AwardsY() >= layout.RowY(layout.RowsPerBlock()) + layout.LinePitch());
            QVERIFY(layout.AwardsY() >= layout.MixedTotalsY());
        }
    }

    // At printer resolutions nothing touches anything else or leaves the page. Some heights are
    // exact multiples of R + 5, where the closing lines at a pitch of PH / (R + 5) would run off
    // the bottom and the pitch gives up a pixel; elsewhere it stays PH / (R + 5).
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
        // Bold Arial: "C" advances 0.722 em; a character cell is 1.117 em high.
        const int h = unmeasured.CharHeight();
        const PrintLayout layout = unmeasured.WithBoxWidth(h * 722 / 1000);
        QCOMPARE(layout.LinePitch(), pitch);
        QCOMPARE(h, pitch * 5 / 6);

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
        const int rows = layout.RowsPerBlock();
        QVERIFY(layout.BoxRect(0, 9, 2, 1).right() < layout.BlockX(1));
        QVERIFY(layout.BoxRect(1, 9, 2, 1).right() < layout.PageWidth());
        QVERIFY(layout.HeaderY() + h * 1117 / 1000 < layout.BoxRect(0, 0, 0, 1).top());
        QVERIFY(layout.BoxRect(0, 0, 0, 1).bottom() < layout.BoxRect(0, 0, 0, 2).top());
        QVERIFY(layout.BoxRect(1, 9, 2, rows).bottom() < layout.PageHeight());
        QVERIFY(layout.TotalsY() > layout.BoxRect(1, 0, 0, layout.LastVisitedRow(2, 1)).bottom());
        QVERIFY2(layout.AwardsY() + h <= layout.PageHeight(), "award counts cut off");
    }
};

QTEST_APPLESS_MAIN(TestPrintLayout)
#include "tst_PrintLayout.moc"
