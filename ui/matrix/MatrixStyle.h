// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QString>

// Colours and fonts of the matrix grids.
namespace wendrix::ui {

// Quarter k = 0..3 (Mixed, CW, Fone, RTTY): fill and frame colour in the header and the matrix.
inline const std::array<QColor, 4>& ModeColours()
{
    static const std::array<QColor, 4> colours{QColor(255, 0, 255), QColor(0, 255, 0),
                                               QColor(0, 255, 255), QColor(255, 176, 160)};
    return colours;
}

// Quarter k = 0..3: text colour of the figures in the sum row (Mixed is also bold).
inline const std::array<QColor, 4>& SumRowColours()
{
    static const std::array<QColor, 4> colours{QColor(255, 0, 255), QColor(0, 128, 0),
                                               QColor(0, 0, 255), QColor(255, 64, 48)};
    return colours;
}

// The platform colours the grids use, taken once from the application's palette.
struct GridColours
{
    QColor Fixed;                // info-tip background: prefix, name, header and sum cells
    QColor Cell{Qt::white};      // the grid's own colour: empty quarters, the 30 m Fone gap
    QColor Text{Qt::black};      // the grid font's colour, for "X" and the percentages
    QColor Line{192, 192, 192};  // grid lines

    [[nodiscard]] static GridColours FromPalette(const QPalette& palette)
    {
        GridColours colours;
        colours.Fixed = palette.color(QPalette::Active, QPalette::ToolTipBase);
        colours.Text = palette.color(QPalette::Active, QPalette::WindowText);
        return colours;
    }
};

// The drawing font of the grids: "Arial" in points, so it follows the screen's pixel density
// the way the grid sizes do.
[[nodiscard]] inline QFont ArialFont(int pointSize, bool bold = false, bool underline = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

// Writes text with its top-left corner at (x, y) in the painter's font and pen colour.
inline void DrawTextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

}  // namespace wendrix::ui
