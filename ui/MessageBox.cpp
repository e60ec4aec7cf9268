// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MessageBox.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>

#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "ui/WindowPlacement.h"

namespace wendrix::ui {

namespace {

struct ButtonText
{
    MessageButton Button;
    const char* Caption;
    QMessageBox::ButtonRole Role;
};

// In the order the box shows its buttons.
constexpr std::array<ButtonText, 11> kButtons{{
    {MessageButton::Yes, "&Yes", QMessageBox::YesRole},
    {MessageButton::No, "&No", QMessageBox::NoRole},
    {MessageButton::Ok, "OK", QMessageBox::AcceptRole},
    {MessageButton::Cancel, "Cancel", QMessageBox::RejectRole},
    {MessageButton::Abort, "&Abort", QMessageBox::RejectRole},
    {MessageButton::Retry, "&Retry", QMessageBox::AcceptRole},
    {MessageButton::Ignore, "&Ignore", QMessageBox::AcceptRole},
    {MessageButton::All, "All", QMessageBox::YesRole},
    {MessageButton::NoToAll, "No To All", QMessageBox::NoRole},
    {MessageButton::YesToAll, "Yes To All", QMessageBox::YesRole},
    {MessageButton::Help, "Help", QMessageBox::HelpRole},
}};

std::size_t ShownPosition(MessageButton button)
{
    const auto found = std::find_if(kButtons.begin(), kButtons.end(),
                                    [button](const ButtonText& b) { return b.Button == button; });
    return static_cast<std::size_t>(found - kButtons.begin());
}

bool Contains(const std::vector<MessageButton>& buttons, MessageButton button)
{
    return std::find(buttons.begin(), buttons.end(), button) != buttons.end();
}

QMessageBox::Icon IconOf(MessageType type)
{
    switch (type) {
    case MessageType::Warning:
        return QMessageBox::Warning;
    case MessageType::Error:
        return QMessageBox::Critical;
    case MessageType::Confirmation:
        return QMessageBox::Question;
    case MessageType::Information:
        break;
    }
    return QMessageBox::Information;
}

// Moves a window out from under the box it watches.
class MoveAsideWatch final : public QObject
{
public:
    MoveAsideWatch(QWidget& box, QWidget& window)
        : m_box(box),
          m_window(window)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_box && (event->type() == QEvent::Move || event->type() == QEvent::Show)) {
            const QRect box = m_box.frameGeometry();
            const QRect window = m_window.frameGeometry();
            if (m_window.isVisible() && box.intersects(window)) {
                const QScreen* screen = m_box.screen();
                const QRect available = screen != nullptr ? screen->availableGeometry() : box;
                m_window.move(PlaceClearOf(window, box, available));
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& m_box;
    QWidget& m_window;
};

// A message box settles its size only when it is shown (a long text is wrapped then), so its
// place is reckoned again at that moment, still before the window manager gets to see the
// window. Placing it beforehand as well keeps the dialog from centring itself in between.
class PlacedMessageBox final : public QMessageBox
{
public:
    using Placer = std::function<void(QWidget& box)>;

    PlacedMessageBox(QWidget* parent, Placer placer)
        : QMessageBox(parent),
          m_placer(std::move(placer))
    {
    }

    void Place()
    {
        if (m_placer) {
            adjustSize();
            m_placer(*this);
        }
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (m_placer) {
            m_placer(*this);
        }
    }

private:
    Placer m_placer;
};

// The frame the box will get: known on some platforms before the box is on the screen, else as
// the window manager framed the main window.
QMargins ExpectedFrameMargins(const QWidget& box, const QWidget* parent)
{
    const QWindow* handle = box.windowHandle();
    const QMargins known = handle != nullptr ? handle->frameMargins() : QMargins();
    if (!known.isNull() || parent == nullptr) {
        return known;
    }
    return FrameMarginsOf(parent->window()->frameGeometry(), parent->window()->geometry());
}

void PlaceBox(QWidget& box, const QWidget* parent, const MessageRequest& request,
              const MessagePlacement& placement)
{
    const QRect area = parent != nullptr ? parent->window()->frameGeometry()
                                         : QGuiApplication::primaryScreen()->availableGeometry();
    const QSize frameSize = box.size().grownBy(ExpectedFrameMargins(box, parent));
    const QPoint centred = area.center() - QPoint(frameSize.width() / 2, frameSize.height() / 2);
    QPoint place = MessagePosition(centred, request.Top, request.Left);
    if (!placement.KeepClearOf.isEmpty()) {
        const QScreen* screen = parent != nullptr ? parent->screen() : box.screen();
        const QRect available = screen != nullptr ? screen->availableGeometry() : area;
        place = PlaceClearOf(QRect(place, frameSize), placement.KeepClearOf, available);
    }
    // The frame's corner, also where the toolkit does not know the frame yet: the window manager
    // is asked to put the frame there. The widget keeps the same position, or showing it would
    // ask for the box's own corner there instead.
    box.move(place);
    if (QWindow* window = box.windowHandle(); window != nullptr) {
        window->setFramePosition(place);
    }
}

}  // namespace

QString MessageCaption(MessageType type)
{
    switch (type) {
    case MessageType::Warning:
        return QStringLiteral("Warning");
    case MessageType::Error:
        return QStringLiteral("Error");
    case MessageType::Confirmation:
        return QStringLiteral("Confirmation");
    case MessageType::Information:
        break;
    }
    return QStringLiteral("Information");
}

QString ButtonCaption(MessageButton button)
{
    const std::size_t position = ShownPosition(button);
    if (position >= kButtons.size()) {
        return {};
    }
    const ButtonText& text = kButtons[position];
    return QString::fromUtf8(text.Caption);
}

std::vector<MessageButton> ButtonsInShownOrder(std::vector<MessageButton> buttons)
{
    std::erase(buttons, MessageButton::None);
    std::sort(buttons.begin(), buttons.end(),
              [](MessageButton a, MessageButton b) { return ShownPosition(a) < ShownPosition(b); });
    buttons.erase(std::unique(buttons.begin(), buttons.end()), buttons.end());
    return buttons;
}

MessageButton DefaultButton(const std::vector<MessageButton>& buttons)
{
    for (const MessageButton candidate :
         {MessageButton::Ok, MessageButton::Yes, MessageButton::Retry}) {
        if (Contains(buttons, candidate)) {
            return candidate;
        }
    }
    return MessageButton::None;
}

MessageButton EscapeButton(const std::vector<MessageButton>& buttons)
{
    for (const MessageButton candidate :
         {MessageButton::Cancel, MessageButton::No, MessageButton::Ok}) {
        if (Contains(buttons, candidate)) {
            return candidate;
        }
    }
    return MessageButton::None;
}

bool IsYes(MessageButton answer)
{
    return answer == MessageButton::Yes;
}

EntityAnswer ToEntityAnswer(MessageButton answer)
{
    switch (answer) {
    case MessageButton::Yes:
        return EntityAnswer::Yes;
    case MessageButton::YesToAll:
        return EntityAnswer::YesToAll;
    case MessageButton::NoToAll:
        return EntityAnswer::NoToAll;
    default:
        return EntityAnswer::No;
    }
}

ReadErrorAnswer ToReadErrorAnswer(MessageButton answer)
{
    return answer == MessageButton::Ok ? ReadErrorAnswer::Abort : ReadErrorAnswer::Ignore;
}

QPoint MessagePosition(QPoint defaultPosition, int top, int left)
{
    return {left > 0 ? left : defaultPosition.x(), top > 0 ? top : defaultPosition.y()};
}

MessageButton ShowMessage(QWidget* parent, const MessageRequest& request,
                          const MessagePlacement& placement)
{
    PlacedMessageBox::Placer placer;
    if (request.Top > 0 || request.Left > 0 || !placement.KeepClearOf.isEmpty()) {
        placer = [parent, &request, &placement](QWidget& box) {
            PlaceBox(box, parent, request, placement);
        };
    }
    PlacedMessageBox box(parent, std::move(placer));
    box.setIcon(IconOf(request.Type));
    box.setWindowTitle(MessageCaption(request.Type));
    box.setText(request.Text);
    box.setProperty("helpContext", request.HelpContext);

    const std::vector<MessageButton> buttons = ButtonsInShownOrder(request.Buttons);
    std::map<QAbstractButton*, MessageButton> answers;
    for (const MessageButton button : buttons) {
        const ButtonText& text = kButtons[ShownPosition(button)];
        QPushButton* pushButton = box.addButton(ButtonCaption(button), text.Role);
        answers.emplace(pushButton, button);
        if (button == DefaultButton(buttons)) {
            box.setDefaultButton(pushButton);
        }
        if (button == EscapeButton(buttons)) {
            box.setEscapeButton(pushButton);
        }
    }

    box.Place();

    // Checked whenever the box appears or moves: the window manager places it after it is shown.
    std::unique_ptr<QObject> aside;
    if (placement.MoveAside != nullptr) {
        aside = std::make_unique<MoveAsideWatch>(box, *placement.MoveAside);
        box.installEventFilter(aside.get());
    }
    box.exec();
    const auto found = answers.find(box.clickedButton());
    return found != answers.end() ? found->second : MessageButton::None;
}

}  // namespace wendrix::ui
