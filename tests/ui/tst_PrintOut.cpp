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
using wendrix::PrintOutContent;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
// CW, Fone, RTTY as the paper shows them.
const QRgb kBoxColours[] = {qRgb(0, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)};

// A catalogue of count entities named P1, P2, ..., without prefixes.
EntityCatalogue NumberedCatalogue(int count)
{
    std::vector<std::string> text{"=== numbered test entities"};
    for (int e = 1; e <= count; ++e) {
        text.push_back("   : P" + std::to_string(e) + "  EU  14  28\t0 0\t" + std::to_string(e));
        text.push_back("Entity " + std::to_string(e));
        text.emplace_back();
    }
    const std::vector<std::string_view> lines(text.begin(), text.end());
    return wendrix::BuildEntityCatalogue(lines);
}

// Pixel classes of the antialiased print-out: the dominant colour of a pixel.
bool IsGreenish(QRgb p)
{
    return qGreen(p) - std::max(qRed(p), qBlue(p)) > 80;
}
bool IsReddish(QRgb p)
{
    return qRed(p) - std::max(qGreen(p), qBlue(p)) > 80;
}
bool IsBluish(QRgb p)
{
    return qBlue(p) - std::max(qRed(p), qGreen(p)) > 80;
}
bool IsMagentaish(QRgb p)
{
    return std::min(qRed(p), qBlue(p)) - qGreen(p) > 80;
}
bool IsDark(QRgb p)
{
    return qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100;
}

// A blend of white and a colour whose channels are all 0 or 255: the full channels stay full,
// the empty ones rise together.
bool IsBlendOfWhiteAnd(QRgb p, QRgb colour)
{
    const int channels[] = {qRed(p), qGreen(p), qBlue(p)};
    const int full[] = {qRed(colour), qGreen(colour), qBlue(colour)};
    int risen = -1;
    for (int k = 0; k < 3; ++k) {
        if (full[k] == 255) {
            if (channels[k] != 255) {
                return false;
            }
        } else if (risen < 0) {
            risen = channels[k];
        } else if (channels[k] != risen) {
            return false;
        }
    }
    return true;
}

template <typename Test>
int CountPixels(const QImage& image, const QRect& area, Test test)
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

QRect Interior(const QRect& box)
{
    return box.adjusted(1, 1, -1, -1);
}

}  // namespace

class TestPrintOut : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EntityCatalogue> m_catalogue;
    std::unique_ptr<ConfirmationMatrix> m_matrix;
    std::map<int, EntityCatalogue> m_numbered;

    const EntityCatalogue& CatalogueOf(int entityCount)
    {
        if (entityCount == m_catalogue->EntityCount()) {
            return *m_catalogue;
        }
        auto found = m_numbered.find(entityCount);
        if (found == m_numbered.end()) {
            found = m_numbered.emplace(entityCount, NumberedCatalogue(entityCount)).first;
        }
        return found->second;
    }

    QImage Render(QSize size, int page, const EntityCatalogue& catalogue) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const PrintOutContent content{QStringLiteral("DA0WDX"), wendrix::MakeDateKey(2024, 3, 5),
                                      catalogue, *m_matrix};
        wendrix::PaintPrintPage(painter, size, page, content);
        return image;
    }
    QImage Render(QSize size, int page) const { return Render(size, page, *m_catalogue); }

    static PrintLayout LayoutOf(const QImage& image, int entityCount)
    {
        QImage device = image;
        return wendrix::MeasuredPrintLayout(image.size(), entityCount, &device);
    }

    // A filled box: its frame and the whole of its inside in the colour, except for the white
    // letter that stands on it.
    static void VerifyFilled(const QImage& image, const QRect& box, QRgb colour)
    {
        const QRect inside = Interior(box);
        QCOMPARE(image.pixel(box.left(), box.center().y()), colour);
        QCOMPARE(image.pixel(box.right(), box.center().y()), colour);
        QCOMPARE(image.pixel(inside.topLeft()), colour);
        QCOMPARE(image.pixel(inside.topRight()), colour);
        QCOMPARE(image.pixel(inside.bottomLeft()), colour);
        QCOMPARE(image.pixel(inside.bottomRight()), colour);
        const int letter = CountPixels(image, inside, [](QRgb p) {
            return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200;
        });
        QVERIFY2(letter > 0, "no white letter in a filled box");
        // The rest is the colour or the antialiased edge of the letter, a blend of the two.
        QCOMPARE(CountPixels(image, inside,
                             [colour](QRgb p) { return !IsBlendOfWhiteAnd(p, colour); }),
                 0);
    }

    // An empty box: the frame in the colour around a white inside.
    static void VerifyFramed(const QImage& image, const QRect& box, QRgb colour)
    {
        QCOMPARE(image.pixel(box.left(), box.center().y()), colour);
        QCOMPARE(image.pixel(box.right(), box.center().y()), colour);
        QCOMPARE(image.pixel(box.center().x(), box.top()), colour);
        QCOMPARE(image.pixel(box.center().x(), box.bottom()), colour);
        const QRect inside = Interior(box);
        QCOMPARE(CountPixels(image, inside, [](QRgb p) { return p != kWhite; }), 0);
    }

    // The box of another entity is framed; a place without an entity stays blank.
    static void VerifyFramedOrBlank(const QImage& image, const PrintLayout& layout, int page,
                                    int block, int band, int mode, int row)
    {
        const QRect box = layout.BoxRect(block, band, mode, row);
        if (layout.EntityAt(page, block, row) != 0) {
            VerifyFramed(image, box, kBoxColours[mode]);
        } else {
            QCOMPARE(CountPixels(image, box, [](QRgb p) { return p != kWhite; }), 0);
        }
    }

private slots:
    void initTestCase()
    {
        m_catalogue = std::make_unique<EntityCatalogue>(wendrix::BuildEntityCatalogue());
        QCOMPARE(m_catalogue->EntityCount(), 339);
    }

    void init() { m_matrix = std::make_unique<ConfirmationMatrix>(); }

    void tickedBoxIsFilledAtItsPlaceOthersFramed_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("entity");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("row");
        struct Case
        {
            const char* name;
            int entity, band, mode, page, block, row;
        };
        const Case cases[] = {
            {"first, 160 m CW", 1, 0, 0, 1, 0, 1},
            {"end of page 1 left, 20 m Fone", 85, 4, 1, 1, 0, 85},
            {"start of page 1 right, 6 m RTTY", 86, 9, 2, 1, 1, 1},
            {"end of page 1, 10 m CW", 170, 8, 0, 1, 1, 85},
            {"start of page 2, 30 m CW", 171, 3, 0, 2, 0, 1},
            {"end of page 2 left, 30 m RTTY", 255, 3, 2, 2, 0, 85},
            {"start of page 2 right, 15 m Fone", 256, 6, 1, 2, 1, 1},
            {"last, 80 m RTTY", 339, 1, 2, 2, 1, 84},
        };
        const std::pair<const char*, QSize> sizes[] = {{"A4 150 dpi", QSize(1240, 1754)},
                                                       {"Letter 200 dpi", QSize(1700, 2200)}};
        for (const auto& [sizeName, size] : sizes) {
            for (const Case& c : cases) {
                QTest::addRow("%s, %s", sizeName, c.name)
                    << size << c.entity << c.band << c.mode << c.page << c.block << c.row;
            }
        }
    }

    void tickedBoxIsFilledAtItsPlaceOthersFramed()
    {
        QFETCH(QSize, size);
        QFETCH(int, entity);
        QFETCH(int, band);
        QFETCH(int, mode);
        QFETCH(int, page);
        QFETCH(int, block);
        QFETCH(int, row);
        QVERIFY(m_matrix->SetCell(entity, BandIndex{band}, ModeIndex{mode}, CellOperation::Set));

        const QImage image = Render(size, page);
        const PrintLayout layout = LayoutOf(image, 339);
        const QRgb colour = kBoxColours[mode];
        VerifyFilled(image, layout.BoxRect(block, band, mode, row), colour);
        for (int other = 0; other < PrintLayout::kBoxes; ++other) {
            if (other != mode) {
                VerifyFramed(image, layout.BoxRect(block, band, other, row), kBoxColours[other]);
            }
        }
        // The neighbours in the block and the same place on the other page hold other
        // entities, whose boxes stay empty.
        VerifyFramedOrBlank(image, layout, page, block, band, mode, row == 1 ? 2 : row - 1);
        VerifyFramedOrBlank(image, layout, page, 1 - block, band, mode, row);
        const QImage otherPage = Render(size, 3 - page);
        VerifyFramedOrBlank(otherPage, layout, 3 - page, block, band, mode, row);
    }

    void thirtyMetreFoneBoxIsNeverFilled_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("entity");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("row");
        QTest::newRow("A4, first") << QSize(1240, 1754) << 1 << 1 << 0 << 1;
        QTest::newRow("Letter, last") << QSize(1700, 2200) << 339 << 2 << 1 << 84;
    }

    void thirtyMetreFoneBoxIsNeverFilled()
    {
        QFETCH(QSize, size);
        QFETCH(int, entity);
        QFETCH(int, page);
        QFETCH(int, block);
        QFETCH(int, row);
        const BandIndex band30{wendrix::kBand30m};
        QVERIFY(!m_matrix->SetCell(entity, band30, ModeIndex{wendrix::kModeFone},
                                   CellOperation::Set));
        // Even a matrix that holds the cell, as a stored list could claim it, prints it empty.
        m_matrix->WriteCell(entity, band30, ModeIndex{wendrix::kModeFone}, 1);
        QVERIFY(m_matrix->SetCell(entity, band30, ModeIndex{wendrix::kModeCw}, CellOperation::Set));
        QVERIFY(
            m_matrix->SetCell(entity, band30, ModeIndex{wendrix::kModeRtty}, CellOperation::Set));

        const QImage image = Render(size, page);
        const PrintLayout layout = LayoutOf(image, 339);
        VerifyFilled(image, layout.BoxRect(block, 3, 0, row), kBoxColours[0]);
        VerifyFramed(image, layout.BoxRect(block, 3, 1, row), kBoxColours[1]);
        VerifyFilled(image, layout.BoxRect(block, 3, 2, row), kBoxColours[2]);
    }

    // Page 2 ends with the per-mode totals right below the right block, the Mixed totals under
    // them and the award counts below everything; nothing of it stands on page 1.
    void totalsFollowTheRightBlocksLastRow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("entityCount");
        QTest::addColumn<int>("lastRightRow");
        QTest::newRow("A4, 339") << QSize(1240, 1754) << 339 << 84;
        QTest::newRow("Letter, 339") << QSize(1700, 2200) << 339 << 84;
        QTest::newRow("A4, 340: full block") << QSize(1240, 1754) << 340 << 85;
        QTest::newRow("Letter, 331") << QSize(1700, 2200) << 331 << 82;
        // The page height leaves no slack below the award line where it follows the Mixed line.
        QTest::newRow("no slack, 340") << QSize(1240, 90 * 19) << 340 << 85;
    }

    void totalsFollowTheRightBlocksLastRow()
    {
        QFETCH(QSize, size);
        QFETCH(int, entityCount);
        QFETCH(int, lastRightRow);
        const EntityCatalogue& catalogue = CatalogueOf(entityCount);
        QCOMPARE(int(catalogue.EntityCount()), entityCount);
        // Every figure of the totals is above zero: the last entity in CW, Fone and RTTY on
        // every band, which makes every Mixed total 1.
        for (int band = 0; band < PrintLayout::kBands; ++band) {
            for (int mode = 0; mode < PrintLayout::kBoxes; ++mode) {
                m_matrix->SetCell(entityCount, BandIndex{band}, ModeIndex{mode},
                                  CellOperation::Set);
            }
        }

        const QImage image = Render(size, 2, catalogue);
        const PrintLayout layout = LayoutOf(image, entityCount);
        const int right = layout.BlockX(1);
        const int width = image.width() - right;
        const QRect lastRow = layout.BoxRect(1, 0, 0, lastRightRow);
        VerifyFilled(image, lastRow, kBoxColours[0]);

        // Nothing between the last entity and the totals.
        const int totalsY = layout.TotalsY();
        QVERIFY(totalsY > lastRow.bottom());
        QCOMPARE(CountPixels(image, QRect(right, lastRow.bottom() + 1, width,
                                          totalsY - lastRow.bottom() - 1),
                             [](QRgb p) { return p != kWhite; }),
                 0);
        // One line per mode class, each in its colour, from the all-bands column on.
        const int step = layout.TotalsStep();
        const QRect cw(right, totalsY, width, step);
        QVERIFY(CountPixels(image, cw, IsGreenish) > 0);
        QCOMPARE(CountPixels(image, cw, IsReddish) + CountPixels(image, cw, IsBluish), 0);
        QVERIFY(CountPixels(image, cw.translated(0, step), IsReddish) > 0);
        QVERIFY(CountPixels(image, cw.translated(0, 2 * step), IsBluish) > 0);
        // The Mixed totals in black, "001" under every band.
        const int charHeight = layout.CharHeight();
        for (int band = 0; band < PrintLayout::kBands; ++band) {
            const QRect figure(layout.MixedTotalX(band), layout.MixedTotalsY(),
                               layout.BandWidth() / 2, charHeight);
            QVERIFY(CountPixels(image, figure, IsDark) > 0);
        }
        // The award counts in magenta, whole on the page, under the left block.
        const int awards = CountPixels(image, image.rect(), IsMagentaish);
        QVERIFY(awards > 0);
        const QRect belowLeft(0, layout.RowY(layout.RowsPerBlock()) + layout.LinePitch(),
                              right, image.height());
        QCOMPARE(CountPixels(image, belowLeft, IsMagentaish), awards);
        QCOMPARE(CountPixels(image, QRect(0, image.height() - 1, image.width(), 1),
                             [](QRgb p) { return p != kWhite; }),
                 0);

        const QImage page1 = Render(size, 1, catalogue);
        QCOMPARE(CountPixels(page1, page1.rect(), IsMagentaish), 0);
        QCOMPARE(CountPixels(page1, QRect(0, layout.RowY(layout.RowsPerBlock()) + charHeight + 3,
                                          page1.width(), page1.height()),
                             [](QRgb p) { return p != kWhite; }),
                 0);
    }

    void tinyPagesPaint_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1 x 1") << QSize(1, 1);
        QTest::newRow("lower than the rows") << QSize(300, 60);
    }

    void tinyPagesPaint()
    {
        QFETCH(QSize, size);
        m_matrix->SetCell(1, BandIndex{0}, ModeIndex{0}, CellOperation::Set);
        for (int page = 1; page <= PrintLayout::kPages; ++page) {
            const QImage image = Render(size, page);
            QCOMPARE(image.size(), size);
        }
    }
};

QTEST_MAIN(TestPrintOut)
#include "tst_PrintOut.moc"
