// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTableWidget>

// The evaluator's grid of per-band thresholds over the main window: a fixed column of labels
// ("Total", then one per band) and a column of values that takes digits only.
namespace wendrix::ui {

class ThresholdsGrid final : public QTableWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ThresholdsGrid)

public:
    static constexpr int kRows = 11;  // all bands, then one per band

    // Hidden until shown with its texts; ppi: the pixel density the window is scaled to.
    ThresholdsGrid(QWidget& parent, int ppi);

    // Where the grid stands at 96 pixels per inch.
    [[nodiscard]] static QRect Design() { return {500, 28, 135, 281}; }

    // Fills both columns, shows the grid with the first value current and takes the keyboard.
    void ShowTexts(const QStringList& labels, const QStringList& values);
    // The values as entered.
    [[nodiscard]] QStringList Values() const;
};

}  // namespace wendrix::ui
