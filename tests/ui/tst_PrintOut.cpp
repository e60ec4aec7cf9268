// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QTest>

#include "catalogue/EntityCatalogue.h"
#include "matrix/Bands.h"
#include "matrix/ConfirmationMatrix.h"
#include "ui/print/PrintLayout.h"
#include "ui/print/PrintOut.h"

using wendrix::BandIndex;
using wendrix::CellOperation;
using wendrix::ConfirmationMatrix;
using wendrix::EntityCatalogue;
using wendrix::ModeIndex;
using wendrix::PrintLayout;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBoxColours[] = {qRgb(0, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)};  // C, F, R
const QSize kA4(1240, 1754);                                                     // 150 dpi
const QSize kLetter(1700, 2200);                                                 // 200 dpi

// A catalogue of count entities P1, P2, ... without prefixes.
EntityCatalogue NumberedCatalogue(int count)
{
    std::vector<std::string> text{"=== numbered test entities"};
    for (int e = 1; e <= count; ++e) {
        text.push_back("   : P" + std::to_string(e) + "  EU  14  28\t0 0\t" + std::to_string(e));
        text.push_back("Entity " + std::to_string(e));
        text.emplace_back();
    }
    return wendrix::BuildEntityCatalogue(std::vector<std::string_view>(text.begin(), text.end()));
}

int Count(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test)
{
    int count = 0;
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            count += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool NotWhite(QRgb p)
{
    return p != kWhite;
}
bool NearlyWhite(QRgb p)
{
    return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200;
}
// The dominant colour of an antialiased text pixel: channel k (red 0, green 1, blue 2) stands
// out, or for magenta red and blue together.
std::function<bool(QRgb)> Tinted(int k)
{
    return [k](QRgb p) {
        const int c[] = {qRed(p), qGreen(p), qBlue(p)};
        return c[k] - std::max(c[(k + 1) % 3], c[(k + 2) % 3]) > 80;
    };
}
bool Magenta(QRgb p)
{
    return std::min(qRed(p), qBlue(p)) - qGreen(p) > 80;
}
bool Dark(QRgb p)
{
    return qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100;
}

// A ticked box: the frame in the colour, and inside it the white letter on its own background in
// the colour, which starts at the box's inner top-left corner (a pixel further right for Fone)
// and covers much of the box.
void VerifyFilled(const QImage& image, const QRect& box, QRgb colour)
{
    const QRect inside = box.adjusted(1, 1, -1, -1);
    for (const QPoint p : {QPoint(box.left(), box.center().y()), QPoint(box.right(), box.top()),
                           inside.topLeft() + QPoint(1, 0)}) {
        QCOMPARE(image.pixel(p), colour);
    }
    const auto inColour = [colour](QRgb p) { return p == colour; };
    QVERIFY2(Count(image, inside, inColour) * 3 > inside.width() * inside.height(),
             "too little of the box in its colour");
    QVERIFY2(Count(image, inside, NearlyWhite) > 0, "no white letter in a ticked box");
}

// An empty box: the frame in the colour around a white inside.
void VerifyFramed(const QImage& image, const QRect& box, QRgb colour)
{
    for (const QPoint p : {QPoint(box.left(), box.center().y()), QPoint(box.right(), box.top()),
                           QPoint(box.center().x(), box.bottom())}) {
        QCOMPARE(image.pixel(p), colour);
    }
    QCOMPARE(Count(image, box.adjusted(1, 1, -1, -1), NotWhite), 0);
}

}  // namespace

class TestPrintOut : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EntityCatalogue> m_catalogue;
    std::map<int, EntityCatalogue> m_numbered;
    std::unique_ptr<ConfirmationMatrix> m_matrix;

    const EntityCatalogue& CatalogueOf(int entityCount)
    {
        if (entityCount == m_catalogue->EntityCount()) {
            return *m_catalogue;
        }
        if (m_numbered.count(entityCount) == 0) {
            m_numbered.emplace(entityCount, NumberedCatalogue(entityCount));
        }
        return m_numbered.at(entityCount);
    }

    QImage Render(QSize size, int page, const EntityCatalogue& catalogue) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        wendrix::PaintPrintPage(
            painter, size, page,
            {QStringLiteral("DA0WDX"), wendrix::MakeDateKey(2024, 3, 5), catalogue, *m_matrix});
        return image;
    }

    static PrintLayout LayoutOf(QImage& image, int entityCount)
    {
        return wendrix::MeasuredPrintLayout(image.size(), entityCount, &image);
    }

    // The box of another entity is framed; a place without an entity stays blank.
    static void VerifyOthers(const QImage& image, const PrintLayout& layout, int page, int block,
                             int band, int mode, int row)
    {
        const QRect box = layout.BoxRect(block, band, mode, row);
        if (layout.EntityAt(page, block, row) != 0) {
            VerifyFramed(image, box, kBoxColours[mode]);
        } else {
            QCOMPARE(Count(image, box, NotWhite), 0);
        }
    }

private slots:
    void initTestCase()
    {
        m_catalogue = std::make_unique<EntityCatalogue>(wendrix::BuildEntityCatalogue());
        QCOMPARE(m_catalogue->EntityCount(), 339);
    }

    void init() { m_matrix = std::make_unique<ConfirmationMatrix>(); }

    // The ticked box is filled at the entity's page, block and row; its other boxes, the
    // neighbouring rows and blocks and the same place on the other page are only framed.
    void tickedBoxIsFilledAtItsPlace_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("entity");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("row");
        QTest::newRow("A4, first, 160 m CW") << kA4 << 1 << 0 << 0 << 1 << 0 << 1;
        QTest::newRow("Letter, page 1 right, 6 m RTTY") << kLetter << 86 << 9 << 2 << 1 << 1 << 1;
        QTest::newRow("A4, end of page 1, 15 m Fone") << kA4 << 170 << 6 << 1 << 1 << 1 << 85;
        QTest::newRow("Letter, page 2 left end, 30 m RTTY")
            << kLetter << 255 << 3 << 2 << 2 << 0 << 85;
        QTest::newRow("A4, page 2 right, 20 m Fone") << kA4 << 256 << 4 << 1 << 2 << 1 << 1;
        QTest::newRow("Letter, last, 80 m CW") << kLetter << 339 << 1 << 0 << 2 << 1 << 84;
    }

    void tickedBoxIsFilledAtItsPlace()
    {
        QFETCH(QSize, size);
        QFETCH(int, entity);
        QFETCH(int, band);
        QFETCH(int, mode);
        QFETCH(int, page);
        QFETCH(int, block);
        QFETCH(int, row);
        QVERIFY(m_matrix->SetCell(entity, BandIndex{band}, ModeIndex{mode}, CellOperation::Set));

        QImage image = Render(size, page, *m_catalogue);
        const PrintLayout layout = LayoutOf(image, 339);
        VerifyFilled(image, layout.BoxRect(block, band, mode, row), kBoxColours[mode]);
        for (int other = 0; other < PrintLayout::kBoxes; ++other) {
            if (other != mode) {
                VerifyFramed(image, layout.BoxRect(block, band, other, row), kBoxColours[other]);
            }
        }
        VerifyOthers(image, layout, page, block, band, mode, row == 1 ? 2 : row - 1);
        VerifyOthers(image, layout, page, 1 - block, band, mode, row);
        VerifyOthers(Render(size, 3 - page, *m_catalogue), layout, 3 - page, block, band, mode,
                     row);
    }

    // Even a matrix holding the 30 m Fone cell, as a stored list could claim, prints it empty.
    void thirtyMetreFoneBoxIsNeverFilled()
    {
        const BandIndex band30{wendrix::kBand30m};
        for (int mode = 0; mode < PrintLayout::kBoxes; ++mode) {
            m_matrix->WriteCell(1, band30, ModeIndex{mode}, 1);
        }
        QImage image = Render(kA4, 1, *m_catalogue);
        const PrintLayout layout = LayoutOf(image, 339);
        VerifyFilled(image, layout.BoxRect(0, 3, 0, 1), kBoxColours[0]);
        VerifyFramed(image, layout.BoxRect(0, 3, 1, 1), kBoxColours[1]);
        VerifyFilled(image, layout.BoxRect(0, 3, 2, 1), kBoxColours[2]);
    }

    // Page 2 ends with the per-mode totals under the right block, the Mixed totals under them
    // and the award counts under the left block, all on the page; page 1 has none of them.
    void totalsFollowTheRightBlocksLastRow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("entityCount");
        QTest::addColumn<int>("lastRightRow");
        QTest::newRow("A4, 339") << kA4 << 339 << 84;
        QTest::newRow("Letter, 331") << kLetter << 331 << 82;
        QTest::newRow("A4, 340: full") << kA4 << 340 << 85;
        QTest::newRow("no slack below, 340") << QSize(2400, 90 * 36) << 340 << 85;
    }

    void totalsFollowTheRightBlocksLastRow()
    {
        QFETCH(QSize, size);
        QFETCH(int, entityCount);
        QFETCH(int, lastRightRow);
        const EntityCatalogue& catalogue = CatalogueOf(entityCount);
        // The last entity in every box: every figure of the totals is 1 or more.
        for (int band = 0; band < PrintLayout::kBands; ++band) {
            for (int mode = 0; mode < PrintLayout::kBoxes; ++mode) {
                m_matrix->SetCell(entityCount, BandIndex{band}, ModeIndex{mode},
                                  CellOperation::Set);
            }
        }
        QImage image = Render(size, 2, catalogue);
        const PrintLayout layout = LayoutOf(image, entityCount);
        const int right = layout.BlockX(1);
        const QRect lastBox = layout.BoxRect(1, 0, 0, lastRightRow);
        VerifyFilled(image, lastBox, kBoxColours[0]);

        const int gap = layout.TotalsY() - lastBox.bottom() - 1;
        QVERIFY(gap > 0);
        QCOMPARE(Count(image, QRect(right, lastBox.bottom() + 1, size.width(), gap), NotWhite), 0);
        const QRect cwLine(right, layout.TotalsY(), size.width(), layout.TotalsStep());
        QVERIFY(Count(image, cwLine, Tinted(1)) > 0);
        QCOMPARE(Count(image, cwLine, Tinted(0)) + Count(image, cwLine, Tinted(2)), 0);
        QVERIFY(Count(image, cwLine.translated(0, layout.TotalsStep()), Tinted(0)) > 0);
        QVERIFY(Count(image, cwLine.translated(0, 2 * layout.TotalsStep()), Tinted(2)) > 0);
        for (int band = 0; band < PrintLayout::kBands; ++band) {
            QVERIFY(Count(image,
                          QRect(layout.MixedTotalX(band), layout.MixedTotalsY(),
                                layout.BandWidth() / 2, layout.CharHeight()),
                          Dark) > 0);
        }
        const int awards = Count(image, image.rect(), Magenta);
        QVERIFY(awards > 0);
        QCOMPARE(Count(image, QRect(0, layout.AwardsY(), right, size.height()), Magenta), awards);
        QCOMPARE(Count(image, QRect(0, size.height() - 1, size.width(), 1), NotWhite), 0);

        const QImage page1 = Render(size, 1, catalogue);
        const int below = layout.BoxRect(0, 0, 0, layout.RowsPerBlock()).bottom() + 1;
        QCOMPARE(Count(page1, QRect(0, below, size.width(), size.height()), NotWhite), 0);
    }

    void tinyPagesPaint()
    {
        m_matrix->SetCell(1, BandIndex{0}, ModeIndex{0}, CellOperation::Set);
        for (const QSize size : {QSize(1, 1), QSize(300, 60)}) {
            for (int page = 1; page <= PrintLayout::kPages; ++page) {
                QCOMPARE(Render(size, page, *m_catalogue).size(), size);
            }
        }
    }
};

QTEST_MAIN(TestPrintOut)
#include "tst_PrintOut.moc"
