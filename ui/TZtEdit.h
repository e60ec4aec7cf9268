// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <QLineEdit>

// The one-line edit of the call signs: an overwrite mode shared by all such edits (Insert
// toggles it; the character under the caret is then always selected, so typing replaces it),
// and a Backspace that still works when a character filter of the window drops the backspace
// character.
namespace wendrix::ui {

// What all edits of the kind share: the overwrite mode, and the text length and caret position
// at the last key-down, for the key-up that follows.
struct ZtEditShared
{
    bool Overwrite = false;
    int LengthAtKeyDown = -1;
    int CaretAtKeyDown = -1;
};

class TZtEdit final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TZtEdit)

public:
    // What the edit keeps of a character (UTF-8 in and out, as the core's filters take it):
    // empty when the character is dropped, else the character as shown (upper-cased, say).
    // Typed, pasted and dropped text all go through it one character at a time.
    using TextFilter = std::function<std::string(std::string_view)>;

    explicit TZtEdit(ZtEditShared& shared, QWidget* parent = nullptr);

    void SetTextFilter(TextFilter filter);

    // The caret position: the start of the selection when there is one.
    [[nodiscard]] int Caret() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SelectAtCaret(int caret);
    void InstallValidator();
    [[nodiscard]] bool Overwrite() const { return m_shared.Overwrite; }

    ZtEditShared& m_shared;
    TextFilter m_filter;
};

}  // namespace wendrix::ui
