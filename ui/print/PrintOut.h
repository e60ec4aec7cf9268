// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

#include "common/Dates.h"
#include "ui/print/PrintLayout.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The two-page graphic print-out of the confirmation list.
namespace wendrix {

class ConfirmationMatrix;
class EntityCatalogue;

// What the print-out shows; the catalogue and the matrix are read while painting.
struct PrintOutContent
{
    QString callSign;  // title line, page 1
    DateKey date = 0;  // "Confirmed " date, the UTC date of printing
    const EntityCatalogue& catalogue;
    const ConfirmationMatrix& matrix;
};

// The layout of a page of the given size on the device, with the box width measured in the body
// font as that device renders it.
[[nodiscard]] PrintLayout MeasuredPrintLayout(QSize pageSize, int entityCount,
                                              QPaintDevice* device);

// Paints page 1 or 2 onto the painter's device, whose printable area is pageSize pixels with
// its top-left corner at the painter's origin. The device must be white where it is painted.
void PaintPrintPage(QPainter& painter, QSize pageSize, int page, const PrintOutContent& content);

// Prints both pages on a printer or PDF writer in portrait orientation. Returns false when the
// device cannot be painted on (nothing is printed then).
[[nodiscard]] bool PrintBothPages(QPagedPaintDevice& device, const PrintOutContent& content);

}  // namespace wendrix
