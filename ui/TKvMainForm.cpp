// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TKvMainForm.h"

#include <algorithm>
#include <initializer_list>

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QStyledItemDelegate>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QWindow>

#include "catalogue/EntityCatalogue.h"
#include "evaluation/Evaluation.h"
#include "session/CallSign.h"
#include "ui/CoreText.h"
#include "ui/print/PrintDialogFlow.h"
#include "ui/WindowScaling.h"
#include "ui/matrix/MatrixView.h"

namespace wendrix::ui {

namespace {

const QColor kNavy(0, 0, 128);
constexpr int kLevelRows = 11;  // the thresholds: all bands, then one per band

// The editor of a threshold cell takes the digits only; every other printable character is
// discarded. The keys that correct (Backspace, Delete) are no characters entered and pass.
class DigitsOnlyFilter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool printable = !text.isEmpty() && text.front().isPrint();
            const bool digit = text.size() == 1 && text.front() >= QLatin1Char('0') &&
                               text.front() <= QLatin1Char('9');
            // Return, Tab and Escape still end the editing; Backspace and Delete correct.
            if (printable && !digit) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

class ThresholdDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor != nullptr) {
            editor->installEventFilter(new DigitsOnlyFilter(editor));
        }
        return editor;
    }
};

QFont SansSerifFont(const QString& family, int pixelSize)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

// "MS Sans Serif" on Windows. Elsewhere Arial's metric twin: the default sans font of Linux
// desktops is so much wider that the fixed labels would be cut.
QFont WindowFont()
{
#ifdef Q_OS_WIN
    return SansSerifFont(QStringLiteral("MS Sans Serif"), 11);
#else
    return SansSerifFont(QStringLiteral("Arial"), 11);
#endif
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

}  // namespace

QString MainWindowCaption()
{
    return QStringLiteral("Wendrix 1.37 - QX0VRN");
}

TKvMainForm::TKvMainForm(const EntityCatalogue& catalogue, ConfirmationMatrix& matrix,
                         const Evaluation& evaluation, bool evaluationMode, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_catalogue(catalogue),
      m_matrix(matrix),
      m_evaluation(evaluation),
      m_evaluationMode(evaluationMode),
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

    m_view = std::make_unique<MatrixView>(*this, catalogue, matrix, evaluation, evaluationMode,
                                          GridColours::FromPalette(palette), 96);
    BuildControls();
    BuildPopupMenu();
    SetTabOrder();
    AdaptToMode();
    ScaleToScreen();

    m_matrix.AddObserver(*this);
    setAcceptDrops(!m_evaluationMode);
    ButtonSave->setEnabled(m_matrix.Modified());
    UpdateButtonClear();
}

TKvMainForm::~TKvMainForm()
{
    m_matrix.RemoveObserver(*this);
}

void TKvMainForm::BuildControls()
{
    OwnerDrawGrid& grid = m_view->Matrix();
    grid.setGeometry(-1, 115, 1018, 581);
    m_view->Header().setGeometry(-1, 62, 997, 54);
    m_view->Sum().setGeometry(0, 697, 996, 31);
    connect(&grid, &OwnerDrawGrid::MousePressed, this, &TKvMainForm::DrawGridMouseDown);

    auto button = [this](const char* name, const QString& text, QRect place) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(place);
        b->setAutoDefault(false);
        return b;
    };
    auto label = [this](const char* name, const QString& text, QRect place) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(place);
        l->setFocusPolicy(Qt::NoFocus);
        return l;
    };

    ButtonImport =
        button("ButtonImport", QStringLiteral("ADIF-Log(s) importieren"), {246, 5, 137, 25});
    ButtonImport->setToolTip(ImportHint());
    connect(ButtonImport, &QPushButton::clicked, this, &TKvMainForm::ImportRequested);

    ZtEditCall = new TZtEdit(m_ztEditShared, this);
    ZtEditCall->setObjectName(QStringLiteral("ZtEditCall"));
    ZtEditCall->setGeometry(108, 6, 101, 21);
    ZtEditCall->SetTextFilter(FilterCallSign);
    connect(ZtEditCall, &QLineEdit::textChanged, this, &TKvMainForm::ZtEditCallChange);

    ButtonSave = button("ButtonSave", QStringLiteral("Liste speichern"), {903, 6, 93, 25});
    ButtonSave->setEnabled(false);
    connect(ButtonSave, &QPushButton::clicked, this, &TKvMainForm::SaveRequested);

    ButtonClear = button("ButtonClear", QStringLiteral("Liste löschen"), {12, 32, 79, 25});
    ButtonClear->setEnabled(false);
    connect(ButtonClear, &QPushButton::clicked, this, &TKvMainForm::ButtonClearClick);

    StaticText1 = label("StaticText1", QStringLiteral(" Links-Klick: Ankreuzen / Kreuz löschen"),
                        {424, 48, 193, 17});
    SetTextColour(*StaticText1, kNavy);
    StaticText3 =
        label("StaticText3", QStringLiteral(" Rechts-Klick: Menü für Spalten/Zeilenänderungen "),
              {652, 48, 248, 17});
    SetTextColour(*StaticText3, kNavy);

    StaticTextSend = label("StaticTextSend", QString(), {416, 7, 457, 17});
    StaticTextSend->setAlignment(Qt::AlignCenter);
    StaticTextSend->setFont(SansSerifFont(QStringLiteral("Arial"), 11));
    StaticTextSend->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticTextSend->setAutoFillBackground(true);
    {
        QPalette palette = StaticTextSend->palette();
        palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
        StaticTextSend->setPalette(palette);
    }

    ButtonLevels = button("ButtonLevels", QStringLiteral("Schwellwerte"), {490, 4, 89, 25});
    ButtonLevels->hide();
    connect(ButtonLevels, &QPushButton::clicked, this, &TKvMainForm::LevelsRequested);

    ZtEditCalls = new TZtEdit(m_ztEditShared, this);
    ZtEditCalls->setObjectName(QStringLiteral("ZtEditCalls"));
    ZtEditCalls->setGeometry(181, 33, 53, 21);
    ZtEditCalls->setText(QStringLiteral("EditCalls"));
    ZtEditCalls->hide();

    ButtonPrint = button("ButtonPrint", QStringLiteral("Drucken"), {934, 38, 62, 20});
    ButtonPrint->setToolTip(QStringLiteral("'2 Seiten Grafik'"));
    connect(ButtonPrint, &QPushButton::clicked, this, [this] {
        static_cast<void>(PrintWithDialog(this, CallSign(), m_catalogue, m_matrix));
    });

    Labelcall = label("Labelcall", QStringLiteral("Eigenes Rufzeichen: "), {4, 10, 101, 13});

    const QFont hintFont = SansSerifFont(QStringLiteral("Arial"), 9);
    Label1 =
        label("Label1", QStringLiteral("Hinweis: Addiert Bestätigungen zur"), {242, 33, 144, 12});
    Label2 =
        label("Label2", QStringLiteral("geladenen Liste (z.B. des Vorjahres)"), {240, 46, 150, 12});
    for (QLabel* hint : {Label1, Label2}) {
        hint->setFont(hintFont);
        SetTextColour(*hint, kNavy);
        hint->setToolTip(ImportHint());
    }
}

QTableWidget& TKvMainForm::LevelsGrid()
{
    if (StringGridLevel != nullptr) {
        return *StringGridLevel;
    }
    auto* grid = new QTableWidget(kLevelRows, 2, this);
    grid->setObjectName(QStringLiteral("StringGridLevel"));
    grid->setGeometry(ScaleRect({500, 28, 135, 281}, m_ppi));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    // The grids' cells scale with the window; the toolkit's table keeps its own section sizes.
    grid->verticalHeader()->setDefaultSectionSize(ScaleByPpi(24, m_ppi));
    grid->horizontalHeader()->setDefaultSectionSize(ScaleByPpi(64, m_ppi));
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setItemDelegateForColumn(1, new ThresholdDelegate(grid));
    grid->hide();
    // Where it would have been had it been made with the other controls: in the stacking
    // (below the controls made after it) and in the tab order.
    grid->stackUnder(ZtEditCalls);
    setTabOrder(ButtonLevels, grid);
    setTabOrder(grid, ZtEditCalls);
    StringGridLevel = grid;
    return *grid;
}

void TKvMainForm::BuildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption,
                       std::optional<PopupCommand> command) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        if (command) {
            connect(action, &QAction::triggered, this,
                    [this, c = *command] { RunPopupCommand(c); });
        }
        return action;
    };

    Col = PopupMenu1->addMenu(QStringLiteral("Spalte"));
    Col->setObjectName(QStringLiteral("Col"));
    Col->menuAction()->setObjectName(QStringLiteral("Col"));
    item(Col, "colSetAll", QStringLiteral("Alles ankreuzen"), PopupCommand::ColumnSetAll);
    item(Col, "colResetAll", QStringLiteral("Alles löschen"), PopupCommand::ColumnResetAll);
    item(PopupMenu1, "space", QString(), std::nullopt);

    Row = PopupMenu1->addMenu(QStringLiteral("Zeile"));
    Row->setObjectName(QStringLiteral("Row"));
    Row->menuAction()->setObjectName(QStringLiteral("Row"));
    QMenu* tick = Row->addMenu(QStringLiteral("Ankreuzen"));
    tick->setObjectName(QStringLiteral("Ankreuzen1"));
    tick->menuAction()->setObjectName(QStringLiteral("Ankreuzen1"));
    item(tick, "rowSetAll", QStringLiteral("Alles"), PopupCommand::RowSetAll);
    item(tick, "rowSetCW", QStringLiteral("CW"), PopupCommand::RowSetCw);
    item(tick, "rowSetFone", QStringLiteral("Fone"), PopupCommand::RowSetFone);
    item(tick, "rowSetRTTY", QStringLiteral("RTTY"), PopupCommand::RowSetRtty);
    item(Row, "RowResetAll", QStringLiteral("Alles löschen"), PopupCommand::RowResetAll);

    OwnerDrawGrid& grid = m_view->Matrix();
    if (m_evaluationMode) {
        // Nothing is edited in the evaluation: no menu of editing commands.
        grid.setContextMenuPolicy(Qt::PreventContextMenu);
        return;
    }
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&grid, &QWidget::customContextMenuRequested, this, [this, &grid](QPoint position) {
        PopupMenu1->popup(grid.viewport()->mapToGlobal(position));
    });
    StorePopupTarget(std::nullopt);
}

void TKvMainForm::SetTabOrder()
{
    // The thresholds grid joins between ButtonLevels and ZtEditCalls when it is made.
    QWidget* order[] = {&m_view->Matrix(), ButtonImport, ZtEditCall,  ButtonSave,
                        ButtonClear,       ButtonLevels, ZtEditCalls, ButtonPrint};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

void TKvMainForm::AdaptToMode()
{
    if (!m_evaluationMode) {
        ZtEditCallChange(ZtEditCall->text());
        return;
    }
    for (QWidget* widget :
         std::initializer_list<QWidget*>{Labelcall, Label1, Label2, ZtEditCall, ButtonClear,
                                         ButtonImport, StaticText1, StaticTextSend}) {
        widget->hide();
    }
    StaticText3->setText(QStringLiteral("Prozentual bestätigt : "));
    ButtonLevels->show();
}

void TKvMainForm::ScaleToScreen()
{
    ScaleWindow(*this, m_ppi);
}

void TKvMainForm::RefreshMatrixView()
{
    m_view->Refresh();
    UpdateButtonClear();
}

QString TKvMainForm::CallSign() const
{
    return ZtEditCall->text();
}

void TKvMainForm::SetCallSign(const QString& callSign)
{
    ZtEditCall->setText(callSign);
}

void TKvMainForm::FocusCallSign()
{
    ZtEditCall->setFocus();
}

void TKvMainForm::SetUploadHintToolTip(const QString& path)
{
    StaticTextSend->setToolTip(path);
}

QString TKvMainForm::UploadHintToolTip() const
{
    return StaticTextSend->toolTip();
}

QRect TKvMainForm::ControlsArea() const
{
    // Everything above the header of the matrix, and the thresholds grid reaching down into it.
    const QRect grid = StringGridLevel != nullptr ? StringGridLevel->geometry()
                                                  : ScaleRect({500, 28, 135, 281}, m_ppi);
    const int bottom = std::max(m_view->Header().geometry().top(), grid.bottom());
    const QRect frame = frameGeometry();
    return QRect(frame.topLeft(), QPoint(frame.right(), mapToGlobal(QPoint(0, bottom)).y()));
}

bool TKvMainForm::LevelsShown() const
{
    return StringGridLevel != nullptr && StringGridLevel->isVisible();
}

void TKvMainForm::ShowLevels(const QStringList& labels, const QStringList& values)
{
    QTableWidget& grid = LevelsGrid();
    for (int row = 0; row < grid.rowCount(); ++row) {
        auto* label = new QTableWidgetItem(labels.value(row));
        label->setFlags(Qt::ItemIsEnabled);  // the fixed column
        label->setBackground(palette().button());
        grid.setItem(row, 0, label);
        grid.setItem(row, 1, new QTableWidgetItem(values.value(row)));
    }
    ButtonLevels->setText(QStringLiteral("Neu berechnen"));
    grid.show();
    grid.setCurrentCell(0, 1);
    // Typing goes into the grid at once, not into the button that opened it.
    grid.setFocus(Qt::OtherFocusReason);
}

QStringList TKvMainForm::LevelTexts() const
{
    if (StringGridLevel == nullptr) {
        return QStringList(kLevelRows, QString());  // never shown: nothing entered
    }
    QStringList texts;
    for (int row = 0; row < StringGridLevel->rowCount(); ++row) {
        const QTableWidgetItem* item = StringGridLevel->item(row, 1);
        texts << (item != nullptr ? item->text() : QString());
    }
    return texts;
}

void TKvMainForm::HideLevels()
{
    ButtonLevels->setText(QStringLiteral("Schwellwerte"));
    if (StringGridLevel != nullptr) {
        StringGridLevel->hide();
    }
}

void TKvMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!m_evaluationMode && event->mimeData()->hasUrls()) {
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
    if (m_evaluationMode || files.isEmpty()) {
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

void TKvMainForm::DrawGridMouseDown(Qt::MouseButton button, QPoint position)
{
    const std::optional<MatrixHit> hit = m_view->HitAt(position);
    if (m_evaluationMode) {
        ShowParticipantCalls(hit);
        return;
    }
    if (button == Qt::RightButton) {
        StorePopupTarget(hit);
        return;
    }
    if (!hit || !hit->Cell) {
        return;
    }
    m_matrix.SetCell(hit->Entity, hit->Cell->Band, hit->Cell->Mode, CellOperation::Toggle);
}

void TKvMainForm::ShowParticipantCalls(const std::optional<MatrixHit>& hit)
{
    if (!hit) {
        return;  // below the last row
    }
    if (!hit->Cell) {
        ZtEditCalls->hide();
        return;
    }
    ZtEditCalls->setGeometry(ScaleByPpi(20, m_ppi), ZtEditCalls->y(), ScaleByPpi(450, m_ppi),
                             ZtEditCalls->height());
    ZtEditCalls->show();
    ZtEditCalls->setText(FromCoreText(m_evaluation.EntityParticipantCalls(
        hit->Entity, hit->Cell->Band.Value(), hit->Cell->Mode.Value())));
}

void TKvMainForm::StorePopupTarget(const std::optional<MatrixHit>& hit)
{
    m_popupTarget = PopupTarget{};
    if (hit) {
        m_popupTarget.entity = hit->Entity;
        if (hit->Cell) {
            m_popupTarget.band = hit->Cell->Band;
            m_popupTarget.mode = hit->Cell->Mode;
        }
    }
    // Commands without a target are shown disabled rather than acting on an old or made-up one.
    const bool column = IsAvailable(PopupCommand::ColumnSetAll, m_popupTarget);
    const bool row = IsAvailable(PopupCommand::RowSetAll, m_popupTarget);
    Col->menuAction()->setEnabled(column);
    for (QAction* action : Col->actions()) {
        action->setEnabled(column);
    }
    Row->menuAction()->setEnabled(row);
    for (QAction* action : Row->findChildren<QAction*>()) {
        action->setEnabled(row);
    }
}

void TKvMainForm::RunPopupCommand(PopupCommand command)
{
    ApplyPopupCommand(m_matrix, m_catalogue.EntityCount(), m_popupTarget, command);
}

void TKvMainForm::ButtonClearClick()
{
    m_matrix.ClearMatrix();
}

void TKvMainForm::ZtEditCallChange(const QString& text)
{
    emit CallSignChanged(text);
    const auto hint = UploadHint(text.toStdString());
    StaticTextSend->setText(hint ? FromCoreText(*hint) : QString());
    StaticTextSend->setVisible(hint.has_value());
}

void TKvMainForm::UpdateButtonClear()
{
    ButtonClear->setEnabled(m_matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}) > 0);
}

void TKvMainForm::CellsChanged(const CellChange& /*change*/)
{
    UpdateButtonClear();
}

void TKvMainForm::ModifiedChanged(bool modified)
{
    ButtonSave->setEnabled(modified);
}

}  // namespace wendrix::ui
