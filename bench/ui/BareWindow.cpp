// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up measurement: a Qt Widgets program that shows one empty window of
// the main window's size and, like wendrix, can report its first paint and quit. With "--text"
// the window holds one line of text, which makes it load the fonts as every real window must.
#include <cstring>

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "FirstPaintHook.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(1018, 734);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto* label = new QLabel(QStringLiteral("Eigenes Rufzeichen: "), &window);
        label->move(4, 10);
    }
    wendrix::app::FirstPaintHook hook(window);
    window.show();
    return QApplication::exec();
}
