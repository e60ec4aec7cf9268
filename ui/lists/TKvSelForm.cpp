// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lists/TKvSelForm.h"

#include <QFont>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "common/Text.h"
#include "ui/CoreText.h"
#include "ui/WindowScaling.h"

namespace wendrix::ui {

TKvSelForm::TKvSelForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_listBox(new QListWidget(this)),
      m_buttonOk(new QPushButton(QStringLiteral("Ok"), this)),
      m_buttonEsc(new QPushButton(QStringLiteral("Escape"), this))
{
    setObjectName(QStringLiteral("TKvSelForm"));
    // Only the main window ends the program; this one never keeps it running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kClientWidth, kClientHeight);

    m_listBox->setObjectName(QStringLiteral("ListBox"));
    m_listBox->setGeometry(8, 8, 275, 198);
    m_listBox->setSortingEnabled(true);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(16);
    m_listBox->setFont(arial);
    m_listBox->setStyleSheet(QStringLiteral("QListWidget::item { height: 18px; }"));
    connect(m_listBox, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    m_buttonOk->setObjectName(QStringLiteral("ButtonOk"));
    m_buttonOk->setGeometry(40, 214, 89, 25);
    m_buttonOk->setDefault(true);
    connect(m_buttonOk, &QPushButton::clicked, this, &QDialog::accept);

    m_buttonEsc->setObjectName(QStringLiteral("ButtonEsc"));
    m_buttonEsc->setGeometry(162, 214, 89, 25);
    m_buttonEsc->setFocusPolicy(Qt::ClickFocus);  // not reached with the tab key
    connect(m_buttonEsc, &QPushButton::clicked, this, &QDialog::reject);

    ScaleWindow(*this, ResidualPpi(*this));
}

void TKvSelForm::Prepare(std::string_view caption, std::span<const std::string> names)
{
    setWindowTitle(FromCoreText(caption));
    m_listBox->clear();
    for (const std::string& name : names) {
        // The name is shown as UTF-8 but handed back with its own bytes, which open the file.
        auto* item = new QListWidgetItem(FromCoreText(name));
        item->setData(Qt::UserRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
        m_listBox->addItem(item);
    }
    m_listBox->setCurrentRow(0);
    m_listBox->setFocus();
}

std::optional<std::string> TKvSelForm::SelectedName() const
{
    const QListWidgetItem* item = m_listBox->currentItem();
    if (result() != QDialog::Accepted || item == nullptr) {
        return std::nullopt;
    }
    return item->data(Qt::UserRole).toByteArray().toStdString();
}

std::optional<std::string> TKvSelForm::Choose(std::string_view caption,
                                              std::span<const std::string> names)
{
    Prepare(caption, names);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    exec();
    return SelectedName();
}

}  // namespace wendrix::ui
