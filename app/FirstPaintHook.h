// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace wendrix::app {

// Acts once a window has been painted for the first time: saves a picture of it, or prints the
// moment ("first-paint-ns" and the wall-clock time in nanoseconds) and quits. Used by the screenshot script and the start-up measurement, through the
// environment (WENDRIX_SCREENSHOT=file.png, WENDRIX_QUIT_AFTER_FIRST_PAINT=1), so the
// program's own command line stays as it is.
class FirstPaintHook final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FirstPaintHook)

public:
    // Installs itself on the window when the environment asks for it; else does nothing.
    explicit FirstPaintHook(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AfterFirstPaint();

    QWidget& m_window;
    QString m_screenshotPath;
    bool m_quit = false;
    bool m_done = false;
};

}  // namespace wendrix::app
