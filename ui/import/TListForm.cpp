// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/import/TListForm.h"

#include <QFont>
#include <QPlainTextEdit>

#include "common/Text.h"
#include "ui/WindowScaling.h"

namespace wendrix::ui {

namespace {

QFont CourierNew(int pixels, int points)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    if (pixels > 0) {
        font.setPixelSize(pixels);
    } else {
        font.setPointSize(points);
    }
    return font;
}

}  // namespace

TListForm::TListForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_memo(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TListForm"));
    // Only the main window ends the program; this one never keeps it running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Liste aller übergangenen QSOs"));
    resize(kClientWidth, kClientHeight);
    m_memo->setObjectName(QStringLiteral("Memo"));
    m_memo->setGeometry(0, 0, kClientWidth, 609);
    m_memo->setFont(CourierNew(11, 0));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setReadOnly(true);
    ScaleWindow(*this, ResidualPpi(*this));
}

void TListForm::BeginReport(std::string_view caption)
{
    setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    m_lines.clear();
    m_memoCurrent = false;
}

void TListForm::AddLine(std::string_view line)
{
    m_lines.emplace_back(line);
    m_memoCurrent = false;
}

void TListForm::SetReport(std::string_view caption, std::span<const std::string> lines)
{
    BeginReport(caption);
    m_lines.assign(lines.begin(), lines.end());
}

void TListForm::FillMemo()
{
    if (m_memoCurrent) {
        return;
    }
    std::string text;
    std::string buffer;
    for (const std::string& line : m_lines) {
        // A log's bytes may be in any character set; the window needs UTF-8.
        text += AsValidUtf8(line, buffer);
        text += '\n';
    }
    if (!text.empty()) {
        text.pop_back();
    }
    m_memo->setPlainText(QString::fromStdString(text));
    m_memoCurrent = true;
}

void TListForm::ShowModal()
{
    m_memo->setFont(CourierNew(11, 0));
    FillMemo();
    exec();
}

void TListForm::ShowBeside()
{
    m_memo->setFont(CourierNew(0, 8));
    FillMemo();
    resize(kEvaluationWidth, height());
    m_memo->setGeometry(0, 0, width(), height());
    setModal(false);
    show();
    raise();
}

QString TListForm::Text()
{
    FillMemo();
    return m_memo->toPlainText();
}

}  // namespace wendrix::ui
