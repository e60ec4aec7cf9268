// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <QDialog>

class QListWidget;
class QPushButton;

// The choice of an earlier list at start-up: the names sorted, the first one selected, "Ok" reads
// the selected one, "Escape" (or the Escape key, or the close box) reads nothing.
namespace wendrix::ui {

class TKvSelForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TKvSelForm)

public:
    static constexpr int kClientWidth = 291;
    static constexpr int kClientHeight = 247;

    explicit TKvSelForm(QWidget* parent = nullptr);

    // Fills the list and selects its first entry; the dialog is not shown.
    void Prepare(std::string_view caption, std::span<const std::string> names);
    // The name selected when the dialog closed with OK.
    [[nodiscard]] std::optional<std::string> SelectedName() const;
    // Prepare, show modally, and the chosen name.
    [[nodiscard]] std::optional<std::string> Choose(std::string_view caption,
                                                    std::span<const std::string> names);

private:
    QListWidget* m_listBox;
    QPushButton* m_buttonOk;
    QPushButton* m_buttonEsc;
};

}  // namespace wendrix::ui
