// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <QMessageBox>
#include <QRect>
#include <QString>

#include "import/ImportPrompts.h"

// The program's message box: its text, the caption from the kind of message, the button captions
// from one table, and an optional place on the screen. The program shows its messages in English.
namespace wendrix::ui {

enum class MessageType {
    Warning,
    Error,
    Information,
    Confirmation
};
enum class MessageButton {
    None,
    Yes,
    No,
    Ok,
    Cancel,
    Abort,
    Retry,
    Ignore,
    All,
    NoToAll,
    YesToAll,
    Help
};
[[nodiscard]] QString MessageCaption(MessageType type);
// With "&" before the accelerator letter ("&Yes").
[[nodiscard]] QString ButtonCaption(MessageButton button);

// The buttons in the order the box shows them, whatever order they were asked for in.
[[nodiscard]] std::vector<MessageButton> ButtonsInShownOrder(std::vector<MessageButton> buttons);
// The button that Enter presses (OK, else Yes, else Retry) and the one that Escape or the
// close box stands for (Cancel, else No, else OK); None when the set has no such button.
[[nodiscard]] MessageButton DefaultButton(const std::vector<MessageButton>& buttons);
[[nodiscard]] MessageButton EscapeButton(const std::vector<MessageButton>& buttons);

// From the answer to what the asker acts on. Only the answers a question names count; every
// other answer (Escape, the close box, a button of another meaning) counts as the opposite.
[[nodiscard]] bool IsYes(MessageButton answer);
[[nodiscard]] EntityAnswer ToEntityAnswer(MessageButton answer);
[[nodiscard]] ReadErrorAnswer ToReadErrorAnswer(MessageButton answer);  // OK aborts

struct MessageRequest
{
    QString Text;
    MessageType Type = MessageType::Information;
    std::vector<MessageButton> Buttons{MessageButton::Ok};
    int Top = 0;  // used when above 0, else the default place
    int Left = 0;
    int HelpContext = 0;
};

// The place of a box: the given coordinates where they are above 0, the default ones else.
[[nodiscard]] QPoint MessagePosition(QPoint defaultPosition, int top, int left);

// A window the box must not cover (the progress window while a log is read), as its frame on the
// screen; none when empty. The box's own frame is reckoned as the main window's where the window
// manager adds it only once the box is shown.
// Where the window manager puts the box in the end is its own choice: should the box still come
// to lie over the window to keep clear of, that window is moved aside (when it is given).
struct MessagePlacement
{
    QRect KeepClearOf;
    QWidget* MoveAside = nullptr;
};

// Shows the box modally and returns the button pressed (None when it was closed otherwise
// and has no Escape button).
MessageButton ShowMessage(QWidget* parent, const MessageRequest& request,
                          const MessagePlacement& placement = {});

}  // namespace wendrix::ui
