// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstPaintHook.h"

#include <chrono>
#include <cstdio>

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace wendrix::app {

namespace {

QString AbsolutePath(const QString& path)
{
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

}  // namespace

FirstPaintHook::FirstPaintHook(QWidget& window)
    : QObject(&window),
      m_window(window),
      // Made absolute now: the start-up makes the list directory the current directory.
      m_screenshotPath(AbsolutePath(qEnvironmentVariable("WENDRIX_SCREENSHOT"))),
      m_quit(qEnvironmentVariableIntValue("WENDRIX_QUIT_AFTER_FIRST_PAINT") != 0)
{
    if (m_quit || !m_screenshotPath.isEmpty()) {
        window.installEventFilter(this);
    }
}

bool FirstPaintHook::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_done && watched == &m_window && event->type() == QEvent::Paint) {
        m_done = true;
        // The window paints before its children; act once the whole frame is done.
        QTimer::singleShot(0, this, &FirstPaintHook::AfterFirstPaint);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintHook::AfterFirstPaint()
{
    if (!m_screenshotPath.isEmpty()) {
        // Start-up goes on after the first paint (a list offered, the evaluation run), so the
        // picture is taken once that is done.
        constexpr int kStartUpWork = 1500;
        QTimer::singleShot(kStartUpWork, this, [this] {
            if (!m_window.grab().save(m_screenshotPath, "PNG")) {
                std::fprintf(stderr, "wendrix: cannot write %s\n", qPrintable(m_screenshotPath));
            }
            QCoreApplication::exit(0);  // no closing: it would ask about unsaved work
        });
        return;
    }
    if (m_quit) {
        // The moment of the first complete frame, for the start-up measurement (wall clock, ns).
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("first-paint-ns %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
        QCoreApplication::exit(0);  // no closing: it would ask about unsaved work
    }
}

}  // namespace wendrix::app
