// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/print/PrintOut.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include "catalogue/EntityCatalogue.h"
#include "common/Text.h"
#include "matrix/AwardCounts.h"
#include "matrix/Bands.h"
#include "matrix/ConfirmationMatrix.h"
#include "ui/CoreText.h"
#include "ui/print/PrintLayout.h"

namespace wendrix {

namespace {

using ui::FromCoreText;

// Box colours per mode class CW, Fone, RTTY; the letters are the first characters of the
// class names "CW", "FONE" and "REST".
constexpr std::array<QRgb, PrintLayout::kBoxes> kBoxColours{qRgb(0, 255, 0), qRgb(255, 0, 0),
                                                            qRgb(0, 0, 255)};
constexpr std::array<char, PrintLayout::kBoxes> kBoxLetters{'C', 'F', 'R'};
constexpr QRgb kMarkColour = qRgb(128, 128, 128);
constexpr QRgb kAwardColour = qRgb(255, 0, 255);

const QString kMakersMark = QStringLiteral("printed with Wendrix");

QString Number(int value)
{
    return QString::number(value);
}

QFont Arial(int height, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(height, 1));
    font.setBold(bold);
    return font;
}

void SetArial(QPainter& painter, int height, bool bold)
{
    painter.setFont(Arial(height, bold));
}

// Writes text with the top-left corner of its character cell at (x, y), the cell filled with
// the painter's background colour.
void TextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

// A one-pixel frame on the outermost pixels of the rectangle.
void Frame(QPainter& painter, const QRect& rect, const QColor& colour)
{
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), colour);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

void PaintTitle(QPainter& painter, const PrintLayout& layout, const PrintOutContent& content)
{
    painter.setPen(Qt::black);
    SetArial(painter, layout.TitleHeight(), true);
    TextAt(painter, layout.Margin(), 0, content.callSign);

    SetArial(painter, layout.CharHeight(), true);
    TextAt(painter, layout.DateX(), 0,
           QStringLiteral("Confirmed ") + FromCoreText(FormatDateKey(content.date)));

    SetArial(painter, layout.SmallHeight(), false);
    painter.setPen(QColor(kMarkColour));
    TextAt(painter, layout.MarkRight() - painter.fontMetrics().horizontalAdvance(kMakersMark), 0,
           kMakersMark);
    painter.setPen(Qt::black);
}

void PaintHeader(QPainter& painter, const PrintLayout& layout)
{
    SetArial(painter, layout.CharHeight(), true);
    for (int block = 0; block < PrintLayout::kBlocksPerPage; ++block) {
        TextAt(painter, layout.BlockX(block), layout.HeaderY(), QStringLiteral("Entity"));
        for (int band = 0; band < PrintLayout::kBands; ++band) {
            TextAt(painter, layout.BandX(block, band), layout.HeaderY(),
                   FromCoreText(kBandLabels[static_cast<std::size_t>(band)]));
        }
    }
}

void PaintBox(QPainter& painter, const PrintLayout& layout, int block, int band, int box, int row,
              bool ticked)
{
    const QColor colour(kBoxColours[static_cast<std::size_t>(box)]);
    const QRect rect = layout.BoxRect(block, band, box, row);
    Frame(painter, rect, colour);
    if (!ticked) {
        return;
    }
    // The letter is written on its own background in the box's colour; the box keeps its frame
    // around it.
    const int x = layout.BoxX(block, band, box);
    int shift = 0;
    if (box == kModeFone) {
        const int right = x + layout.BoxWidth();
        painter.fillRect(QRect(right - 5, rect.top(), 2, rect.height()), QColor(255, 0, 0));
        shift = 1;
    }
    SetArial(painter, layout.LetterHeight(), true);
    painter.setBackground(colour);
    painter.setPen(Qt::white);
    TextAt(painter, x + shift, layout.RowY(row),
           QString(QLatin1Char(kBoxLetters[static_cast<std::size_t>(box)])));
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
}

void PaintRows(QPainter& painter, const PrintLayout& layout, int page,
               const PrintOutContent& content)
{
    for (int block = 0; block < PrintLayout::kBlocksPerPage; ++block) {
        for (int row = 1; row <= layout.RowsPerBlock(); ++row) {
            const int entity = layout.EntityAt(page, block, row);
            if (entity == 0) {
                break;
            }
            SetArial(painter, layout.CharHeight(), true);
            TextAt(
                painter, layout.BlockX(block), layout.RowY(row),
                FromCoreText(content.catalogue.MainPrefixOf(static_cast<std::uint16_t>(entity))));
            for (int band = 0; band < PrintLayout::kBands; ++band) {
                for (int box = 0; box < PrintLayout::kBoxes; ++box) {
                    // The 30 m Fone box stays empty even if a stored list claims it.
                    const bool ticked =
                        IsUsableCell(band, box) &&
                        content.matrix.IsTicked(entity, BandIndex{band}, ModeIndex{box});
                    PaintBox(painter, layout, block, band, box, row, ticked);
                }
            }
        }
    }
}

void PaintTotals(QPainter& painter, const PrintLayout& layout, const ConfirmationMatrix& matrix)
{
    const auto figure = [&matrix](int band, int mode) {
        return IsUsableCell(band, mode) ? matrix.ColumnSum(BandIndex{band}, ModeIndex{mode}) : 0;
    };

    SetArial(painter, layout.SmallHeight(), false);
    for (int box = 0; box < PrintLayout::kBoxes; ++box) {
        painter.setPen(QColor(kBoxColours[static_cast<std::size_t>(box)]));
        const int y = layout.TotalsY() + box * layout.TotalsStep();
        TextAt(painter, layout.ModeTotalX(-1, box), y, Number(figure(kAllBands, box)));
        for (int band = 0; band < PrintLayout::kBands; ++band) {
            TextAt(painter, layout.ModeTotalX(band, box), y, Number(figure(band, box)));
        }
    }

    SetArial(painter, layout.CharHeight(), true);
    painter.setPen(Qt::black);
    const int mixedY = layout.MixedTotalsY();
    TextAt(painter, layout.MixedTotalX(-1), mixedY, Number(figure(kAllBands, kModeMixed)));
    for (int band = 0; band < PrintLayout::kBands; ++band) {
        TextAt(painter, layout.MixedTotalX(band), mixedY,
               FromCoreText(PadLeftZeros(std::to_string(figure(band, kModeMixed)), 3)));
    }

    SetArial(painter, layout.CharHeight(), false);
    painter.setPen(QColor(kAwardColour));
    const AwardCounts awards = ComputeAwardCounts(matrix.ColumnSums());
    const int awardsY = layout.AwardsY();
    TextAt(painter, layout.AwardX(0), awardsY,
           QStringLiteral("5-B-Mix: ") + Number(awards.FiveBandMixed));
    TextAt(painter, layout.AwardX(1), awardsY,
           QStringLiteral("9-B-Mix: ") + Number(awards.NineBandMixed));
    TextAt(painter, layout.AwardX(2), awardsY,
           QStringLiteral("10-B-Mix: ") + Number(awards.TenBandMixed));
    TextAt(painter, layout.AwardX(3), awardsY, QStringLiteral("Slot-26: ") + Number(awards.Slot26));
    painter.setPen(Qt::black);
}

}  // namespace

PrintLayout MeasuredPrintLayout(QSize pageSize, int entityCount, QPaintDevice* device)
{
    const PrintLayout layout(pageSize.width(), pageSize.height(), entityCount);
    const QFontMetrics metrics(Arial(layout.CharHeight(), true), device);
    return layout.WithBoxWidth(metrics.horizontalAdvance(QLatin1Char('C')));
}

void PaintPrintPage(QPainter& painter, QSize pageSize, int page, const PrintOutContent& content)
{
    painter.save();
    const PrintLayout layout =
        MeasuredPrintLayout(pageSize, content.catalogue.EntityCount(), painter.device());

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.setBrush(Qt::white);

    if (page == 1) {
        PaintTitle(painter, layout, content);
    }
    PaintHeader(painter, layout);
    PaintRows(painter, layout, page, content);
    if (page == PrintLayout::kPages) {
        PaintTotals(painter, layout, content.matrix);
    }
    painter.restore();
}

bool PrintBothPages(QPagedPaintDevice& device, const PrintOutContent& content)
{
    device.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QSize pageSize(device.width(), device.height());
    PaintPrintPage(painter, pageSize, 1, content);
    device.newPage();
    PaintPrintPage(painter, pageSize, 2, content);
    return painter.end();
}

}  // namespace wendrix
