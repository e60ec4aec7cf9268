// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindowControls.h"

#include <QLabel>
#include <QPushButton>

#include "ui/TZtEdit.h"

namespace wendrix::ui {

namespace {

const QColor kNavy(0, 0, 128);

QFont SansSerifFont(const QString& family, int pixelSize)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

void SetTextColour(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

QString ImportHint()
{
    return QStringLiteral("Der Import löscht die Liste nicht.\n"
                          "Dadurch können manuell erfasste Punkte aus\n"
                          "\"Vor-ADIF\"-Zeiten einfach übernommen werden.");
}

QPushButton* MakeButton(QWidget& window, const char* name, const QString& text, QRect place)
{
    auto* button = new QPushButton(text, &window);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(QWidget& window, const char* name, const QString& text, QRect place)
{
    auto* label = new QLabel(text, &window);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

TZtEdit* MakeEdit(QWidget& window, ZtEditShared& shared, const char* name, QRect place)
{
    auto* edit = new TZtEdit(shared, &window);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(place);
    return edit;
}

// The red hint on a light ground that names the file to upload.
void StyleUploadHint(QLabel& hint)
{
    hint.setAlignment(Qt::AlignCenter);
    hint.setFont(SansSerifFont(QStringLiteral("Arial"), 11));
    hint.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    hint.setAutoFillBackground(true);
    QPalette palette = hint.palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
    hint.setPalette(palette);
}

}  // namespace

QFont WindowFont()
{
#ifdef Q_OS_WIN
    return SansSerifFont(QStringLiteral("MS Sans Serif"), 11);
#else
    return SansSerifFont(QStringLiteral("Arial"), 11);
#endif
}

MainWindowControls BuildMainWindowControls(QWidget& window, ZtEditShared& shared)
{
    MainWindowControls c;
    c.ButtonImport = MakeButton(window, "ButtonImport", QStringLiteral("ADIF-Log(s) importieren"),
                                {246, 5, 137, 25});
    c.ButtonImport->setToolTip(ImportHint());
    c.ZtEditCall = MakeEdit(window, shared, "ZtEditCall", {108, 6, 101, 21});
    c.ButtonSave =
        MakeButton(window, "ButtonSave", QStringLiteral("Liste speichern"), {903, 6, 93, 25});
    c.ButtonSave->setEnabled(false);
    c.ButtonClear =
        MakeButton(window, "ButtonClear", QStringLiteral("Liste löschen"), {12, 32, 79, 25});
    c.ButtonClear->setEnabled(false);

    c.StaticText1 =
        MakeLabel(window, "StaticText1", QStringLiteral(" Links-Klick: Ankreuzen / Kreuz löschen"),
                  {424, 48, 193, 17});
    SetTextColour(*c.StaticText1, kNavy);
    c.StaticText3 = MakeLabel(window, "StaticText3",
                              QStringLiteral(" Rechts-Klick: Menü für Spalten/Zeilenänderungen "),
                              {652, 48, 248, 17});
    SetTextColour(*c.StaticText3, kNavy);
    c.StaticTextSend = MakeLabel(window, "StaticTextSend", QString(), {416, 7, 457, 17});
    StyleUploadHint(*c.StaticTextSend);

    c.ButtonLevels =
        MakeButton(window, "ButtonLevels", QStringLiteral("Schwellwerte"), {490, 4, 89, 25});
    c.ButtonLevels->hide();
    c.ZtEditCalls = MakeEdit(window, shared, "ZtEditCalls", {181, 33, 53, 21});
    c.ZtEditCalls->setText(QStringLiteral("EditCalls"));
    c.ZtEditCalls->hide();
    c.ButtonPrint = MakeButton(window, "ButtonPrint", QStringLiteral("Drucken"), {934, 38, 62, 20});
    c.ButtonPrint->setToolTip(QStringLiteral("'2 Seiten Grafik'"));

    c.Labelcall =
        MakeLabel(window, "Labelcall", QStringLiteral("Eigenes Rufzeichen: "), {4, 10, 101, 13});
    c.Label1 = MakeLabel(window, "Label1", QStringLiteral("Hinweis: Addiert Bestätigungen zur"),
                         {242, 33, 144, 12});
    c.Label2 = MakeLabel(window, "Label2", QStringLiteral("geladenen Liste (z.B. des Vorjahres)"),
                         {240, 46, 150, 12});
    const QFont hintFont = SansSerifFont(QStringLiteral("Arial"), 9);
    for (QLabel* hint : {c.Label1, c.Label2}) {
        hint->setFont(hintFont);
        SetTextColour(*hint, kNavy);
        hint->setToolTip(ImportHint());
    }
    return c;
}

}  // namespace wendrix::ui
