// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowScaling.h"

#include <QWidget>

#include "ui/matrix/GridGeometry.h"

namespace wendrix::ui {

namespace {

void ScaleFont(QWidget& widget, int ppi)
{
    if (!widget.testAttribute(Qt::WA_SetFont)) {
        return;  // inherited from the parent, which is scaled itself
    }
    QFont font = widget.font();
    if (font.pixelSize() > 0) {
        font.setPixelSize(ScaleByPpi(font.pixelSize(), ppi));
        widget.setFont(font);
    }
}

}  // namespace

QRect ScaleRect(const QRect& rect, int ppi)
{
    return {ScaleByPpi(rect.left(), ppi), ScaleByPpi(rect.top(), ppi),
            ScaleByPpi(rect.width(), ppi), ScaleByPpi(rect.height(), ppi)};
}

int ResidualPpi(const QWidget& window)
{
    return window.logicalDpiX();
}

void ScaleWindow(QWidget& window, int ppi)
{
    if (ppi == 96) {
        return;
    }
    const QSize size(ScaleByPpi(window.width(), ppi), ScaleByPpi(window.height(), ppi));
    if (window.minimumSize() == window.maximumSize()) {
        window.setFixedSize(size);
    } else {
        window.resize(size);
    }
    ScaleFont(window, ppi);
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) {
            continue;
        }
        child->setGeometry(ScaleRect(child->geometry(), ppi));
        ScaleFont(*child, ppi);
    }
}

}  // namespace wendrix::ui
