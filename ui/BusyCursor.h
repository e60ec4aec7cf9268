// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGuiApplication>

// The hourglass while long work runs on the window's thread, and the normal arrow back for a
// question asked in the middle of it; both restore what was there before when they end.
namespace wendrix::ui {

class BusyCursor final
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

class NormalCursorWhileAsking final
{
public:
    NormalCursorWhileAsking()
        : m_active(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_active) {
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~NormalCursorWhileAsking()
    {
        if (m_active) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    NormalCursorWhileAsking(const NormalCursorWhileAsking&) = delete;
    NormalCursorWhileAsking& operator=(const NormalCursorWhileAsking&) = delete;

private:
    bool m_active;
};

}  // namespace wendrix::ui
