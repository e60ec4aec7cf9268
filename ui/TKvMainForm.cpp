// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TKvMainForm.h"

#include <algorithm>
#include <initializer_list>

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QWindow>

#include "catalogue/EntityCatalogue.h"
#include "session/CallSign.h"
#include "ui/CoreText.h"
#include "ui/WindowScaling.h"
#include "ui/evaluation/ThresholdsGrid.h"
#include "ui/matrix/MatrixView.h"
#include "ui/member/MatrixPopupMenu.h"

namespace wendrix::ui {

QString MainWindowCaption()
{
    return QStringLiteral("Wendrix 1.37 - QX0VRN");
}

TKvMainForm::TKvMainForm(const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix,
                         const MatrixPainterChoice& painting, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_matrix(matrix),
      m_ppi(ResidualPpi(*this))
{
    setObjectName(QStringLiteral("KvMainForm"));
    setWindowTitle(MainWindowCaption());
    setFont(WindowFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(kClientWidth, kClientHeight);

    m_view = std::make_unique<MatrixView>(*this, catalogue, matrix, painting,
                                          GridColours::FromPalette(palette), 96);
    m_view->Matrix().setGeometry(-1, 115, 1018, 581);
    m_view->Header().setGeometry(-1, 62, 997, 54);
    m_view->Sum().setGeometry(0, 697, 996, 31);
    m_controls = BuildMainWindowControls(*this, m_ztEditShared);
    m_controls.ZtEditCall->SetTextFilter(FilterCallSign);
    ConnectControls();
    m_popup = new MatrixPopupMenu(this);
    ConnectPopupMenu();
    AddUndoKeys();
    SetTabOrder();
    ZtEditCallChange(m_controls.ZtEditCall->text());
    ScaleWindow(*this, m_ppi);

    m_matrix.AddObserver(*this);
    setAcceptDrops(true);
    m_controls.ButtonSave->setEnabled(m_matrix.Modified());
    UpdateButtonClear();
}

TKvMainForm::~TKvMainForm()
{
    m_matrix.RemoveObserver(*this);
}

void TKvMainForm::ConnectControls()
{
    connect(&m_view->Matrix(), &OwnerDrawGrid::MousePressed, this, &TKvMainForm::GridMouseDown);
    const MainWindowControls& c = m_controls;
    connect(c.ButtonImport, &QPushButton::clicked, this, &TKvMainForm::ImportRequested);
    connect(c.ZtEditCall, &QLineEdit::textChanged, this, &TKvMainForm::ZtEditCallChange);
    connect(c.ButtonSave, &QPushButton::clicked, this, &TKvMainForm::SaveRequested);
    connect(c.ButtonClear, &QPushButton::clicked, this, &TKvMainForm::ClearRequested);
    connect(c.ButtonLevels, &QPushButton::clicked, this, &TKvMainForm::LevelsRequested);
    connect(c.ButtonPrint, &QPushButton::clicked, this, &TKvMainForm::PrintRequested);
}

void TKvMainForm::ConnectPopupMenu()
{
    OwnerDrawGrid& grid = m_view->Matrix();
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&grid, &QWidget::customContextMenuRequested, this, [this, &grid](QPoint position) {
        m_popup->popup(grid.viewport()->mapToGlobal(position));
    });
    connect(m_popup, &MatrixPopupMenu::ItemChosen, this, &TKvMainForm::PopupItemChosen);
}

void TKvMainForm::AddUndoKeys()
{
    // Window-wide; the call-sign edit keeps the keys for its own text while it has the focus.
    const auto add = [this](const QKeySequence& keys, void (TKvMainForm::*signal)()) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, signal);
        m_undoKeys.push_back(shortcut);
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_Z), &TKvMainForm::UndoRequested);
    add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &TKvMainForm::RedoRequested);
    add(QKeySequence(Qt::CTRL | Qt::Key_Y), &TKvMainForm::RedoRequested);
}

ThresholdsGrid& TKvMainForm::LevelsGrid()
{
    if (m_levels == nullptr) {
        m_levels = new ThresholdsGrid(*this, m_ppi);
        // Where it would have been had it been made with the other controls: in the stacking
        // (below the controls made after it) and in the tab order.
        m_levels->stackUnder(m_controls.ZtEditCalls);
        setTabOrder(m_controls.ButtonLevels, m_levels);
        setTabOrder(m_levels, m_controls.ZtEditCalls);
    }
    return *m_levels;
}

void TKvMainForm::SetTabOrder()
{
    // The thresholds grid joins between ButtonLevels and ZtEditCalls when it is made.
    const MainWindowControls& c = m_controls;
    QWidget* order[] = {&m_view->Matrix(), c.ButtonImport, c.ZtEditCall,  c.ButtonSave,
                        c.ButtonClear,     c.ButtonLevels, c.ZtEditCalls, c.ButtonPrint};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

void TKvMainForm::ArrangeForEvaluation()
{
    const MainWindowControls& c = m_controls;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             c.Labelcall, c.Label1, c.Label2, c.ZtEditCall, c.ButtonClear, c.ButtonImport,
             c.StaticText1, c.StaticTextSend}) {
        widget->hide();
    }
    c.StaticText3->setText(QStringLiteral("Prozentual bestätigt : "));
    c.ButtonLevels->show();
    // Nothing is edited in the evaluation: no menu of editing commands, no logs to drop.
    m_view->Matrix().setContextMenuPolicy(Qt::PreventContextMenu);
    setAcceptDrops(false);
    for (QShortcut* shortcut : m_undoKeys) {
        shortcut->setEnabled(false);
    }
}

void TKvMainForm::RefreshMatrixView()
{
    m_view->Refresh();
    UpdateButtonClear();
}

QString TKvMainForm::CallSign() const
{
    return m_controls.ZtEditCall->text();
}

void TKvMainForm::SetCallSign(const QString& callSign)
{
    m_controls.ZtEditCall->setText(callSign);
}

void TKvMainForm::FocusCallSign()
{
    m_controls.ZtEditCall->setFocus();
}

void TKvMainForm::SetUploadHintToolTip(const QString& path)
{
    m_controls.StaticTextSend->setToolTip(path);
}

QString TKvMainForm::UploadHintToolTip() const
{
    return m_controls.StaticTextSend->toolTip();
}

void TKvMainForm::ShowParticipantCalls(const QString& calls)
{
    TZtEdit& edit = *m_controls.ZtEditCalls;
    edit.setGeometry(ScaleByPpi(20, m_ppi), edit.y(), ScaleByPpi(450, m_ppi), edit.height());
    edit.show();
    edit.setText(calls);
}

void TKvMainForm::HideParticipantCalls()
{
    m_controls.ZtEditCalls->hide();
}

QRect TKvMainForm::ControlsArea() const
{
    // Everything above the header of the matrix, and the thresholds grid reaching down into it.
    const QRect grid =
        m_levels != nullptr ? m_levels->geometry() : ScaleRect(ThresholdsGrid::Design(), m_ppi);
    const int bottom = std::max(m_view->Header().geometry().top(), grid.bottom());
    const QRect frame = frameGeometry();
    return QRect(frame.topLeft(), QPoint(frame.right(), mapToGlobal(QPoint(0, bottom)).y()));
}

bool TKvMainForm::LevelsShown() const
{
    return m_levels != nullptr && m_levels->isVisible();
}

void TKvMainForm::ShowLevels(const QStringList& labels, const QStringList& values)
{
    ThresholdsGrid& grid = LevelsGrid();
    m_controls.ButtonLevels->setText(QStringLiteral("Neu berechnen"));
    grid.ShowTexts(labels, values);
}

QStringList TKvMainForm::LevelTexts() const
{
    if (m_levels == nullptr) {
        return QStringList(ThresholdsGrid::kRows, QString());  // never shown: nothing entered
    }
    return m_levels->Values();
}

void TKvMainForm::HideLevels()
{
    m_controls.ButtonLevels->setText(QStringLiteral("Schwellwerte"));
    if (m_levels != nullptr) {
        m_levels->hide();
    }
}

const PopupTarget& TKvMainForm::Target() const
{
    return m_popup->Target();
}

void TKvMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TKvMainForm::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            files << url.toLocalFile();
        }
    }
    if (files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    emit LogsDropped(files);
}

void TKvMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown && !event->spontaneous()) {
        m_shown = true;
        m_view->Header().viewport()->update();
        RefreshMatrixView();
        // The show event comes before the window is on the screen; a message of the start-up
        // shown now would appear alone on an empty screen, placed against a window not yet there.
        if (QWindow* handle = windowHandle(); handle != nullptr && !handle->isExposed()) {
            handle->installEventFilter(this);
        } else {
            SendFirstShown();
        }
    }
}

bool TKvMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        // After the expose has been handled: the window paints first.
        QMetaObject::invokeMethod(this, &TKvMainForm::SendFirstShown, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void TKvMainForm::SendFirstShown()
{
    if (!m_firstShownSent) {
        m_firstShownSent = true;
        emit FirstShown();
    }
}

void TKvMainForm::closeEvent(QCloseEvent* event)
{
    if (m_mayClose && !m_mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TKvMainForm::GridMouseDown(Qt::MouseButton button, QPoint position)
{
    const std::optional<MatrixHit> hit = m_view->HitAt(position);
    if (button == Qt::RightButton) {
        m_popup->SetTarget(hit);
    }
    if (hit) {
        emit MatrixClicked(*hit, button);
    }
}

void TKvMainForm::ZtEditCallChange(const QString& text)
{
    emit CallSignChanged(text);
    const auto hint = UploadHint(text.toStdString());
    m_controls.StaticTextSend->setText(hint ? FromCoreText(*hint) : QString());
    m_controls.StaticTextSend->setVisible(hint.has_value());
}

void TKvMainForm::UpdateButtonClear()
{
    m_controls.ButtonClear->setEnabled(
        m_matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}) > 0);
}

void TKvMainForm::CellsChanged(const CellChange& /*change*/)
{
    UpdateButtonClear();
}

void TKvMainForm::ModifiedChanged(bool modified)
{
    m_controls.ButtonSave->setEnabled(modified);
}

}  // namespace wendrix::ui
