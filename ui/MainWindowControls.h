// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

class QLabel;
class QPushButton;
class QWidget;

namespace wendrix::ui {

class TZtEdit;
struct ZtEditShared;

// The controls of the main window around the matrix, made in their designed places (96 pixels
// per inch) with their texts, colours and tooltips, in the order that stacks them. The window is
// their parent and owner.
struct MainWindowControls
{
    QPushButton* ButtonImport = nullptr;
    TZtEdit* ZtEditCall = nullptr;
    QPushButton* ButtonSave = nullptr;
    QPushButton* ButtonClear = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticTextSend = nullptr;
    QPushButton* ButtonLevels = nullptr;
    TZtEdit* ZtEditCalls = nullptr;
    QPushButton* ButtonPrint = nullptr;
    QLabel* Labelcall = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
};

[[nodiscard]] MainWindowControls BuildMainWindowControls(QWidget& window, ZtEditShared& shared);

// "MS Sans Serif" on Windows. Elsewhere Arial's metric twin: the default sans font of Linux
// desktops is so much wider that the fixed labels would be cut.
[[nodiscard]] QFont WindowFont();

}  // namespace wendrix::ui
