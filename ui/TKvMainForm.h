// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include <QStringList>
#include <QWidget>

#include "matrix/ConfirmationMatrix.h"
#include "matrix/MatrixEditing.h"
#include "ui/TZtEdit.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;

namespace wendrix {
class EntityCatalogue;
class Evaluation;
}  // namespace wendrix

namespace wendrix::ui {

class MatrixView;
struct MatrixHit;

// The main window: the matrix with its header and sum row, the call-sign edit, the buttons and
// the hint texts, in a fixed client area of 1018 x 734 designed at 96 pixels per inch. It shows
// the state it is given, turns clicks into matrix edits and prints; the flows behind the import,
// save and thresholds buttons and behind closing belong to whoever connects to its signals.
class TKvMainForm final : public QWidget, private MatrixObserver
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TKvMainForm)

public:
    static constexpr int kClientWidth = 1018;
    static constexpr int kClientHeight = 734;

    // The collaborators must outlive the window.
    TKvMainForm(const EntityCatalogue& catalogue, ConfirmationMatrix& matrix,
                const Evaluation& evaluation, bool evaluationMode, QWidget* parent = nullptr);
    ~TKvMainForm() override;

    [[nodiscard]] bool EvaluationMode() const { return m_evaluationMode; }

    // One row per entity, back to the first row, matrix and sum row repainted; "Liste löschen"
    // follows the matrix. Run after a list was read, an import or an evaluation.
    void RefreshMatrixView();

    // The call sign as the edit holds it (upper case, filtered as typed).
    [[nodiscard]] QString CallSign() const;
    void SetCallSign(const QString& callSign);
    void FocusCallSign();
    // The tooltip of the upload hint: the full path of the list file to upload.
    void SetUploadHintToolTip(const QString& path);
    [[nodiscard]] QString UploadHintToolTip() const;

    // The buttons at the top and the thresholds grid, in screen coordinates, title bar included:
    // what another window must leave in view.
    [[nodiscard]] QRect ControlsArea() const;

    // Asked before the window closes; false keeps it open. Without one the window just closes.
    void SetCloseGuard(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }

    // The thresholds grid: shown with its labels and values ("Neu berechnen" on the button),
    // read back, and hidden again ("Schwellwerte").
    [[nodiscard]] bool LevelsShown() const;
    void ShowLevels(const QStringList& labels, const QStringList& values);
    [[nodiscard]] QStringList LevelTexts() const;
    void HideLevels();

    // The target of the popup menu, stored by the last right click on the matrix.
    [[nodiscard]] const PopupTarget& Target() const { return m_popupTarget; }

signals:
    void ImportRequested();  // "ADIF-Log(s) importieren"
    void SaveRequested();    // "Liste speichern"
    void LevelsRequested();  // "Schwellwerte"
    // The window is on the screen for the first time (shown and exposed), so that whatever the
    // flows show next appears over it rather than on an empty screen.
    void FirstShown();
    void CallSignChanged(const QString& callSign);  // typed or set
    void LogsDropped(const QStringList& files);     // files dropped on the window

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void SendFirstShown();
    void BuildControls();
    // The thresholds grid, made at its first showing: only the evaluation shows it, and only
    // when asked, so the start-up does not pay for it.
    QTableWidget& LevelsGrid();
    void BuildPopupMenu();
    void SetTabOrder();
    void AdaptToMode();
    void ScaleToScreen();

    void DrawGridMouseDown(Qt::MouseButton button, QPoint position);
    void ShowParticipantCalls(const std::optional<MatrixHit>& hit);
    void StorePopupTarget(const std::optional<MatrixHit>& hit);
    void RunPopupCommand(PopupCommand command);
    void ButtonClearClick();
    void ZtEditCallChange(const QString& text);
    void UpdateButtonClear();

    void CellsChanged(const CellChange& change) override;
    void ModifiedChanged(bool modified) override;

    const EntityCatalogue& m_catalogue;
    ConfirmationMatrix& m_matrix;
    const Evaluation& m_evaluation;
    const bool m_evaluationMode;
    const int m_ppi;
    ZtEditShared m_ztEditShared;
    std::unique_ptr<MatrixView> m_view;
    PopupTarget m_popupTarget;
    std::function<bool()> m_mayClose;
    bool m_shown = false;
    bool m_firstShownSent = false;

    // Owned by the window as their parent.
    QPushButton* ButtonImport = nullptr;
    TZtEdit* ZtEditCall = nullptr;
    QPushButton* ButtonSave = nullptr;
    QPushButton* ButtonClear = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticTextSend = nullptr;
    QPushButton* ButtonLevels = nullptr;
    QTableWidget* StringGridLevel = nullptr;  // made by LevelsGrid()
    TZtEdit* ZtEditCalls = nullptr;
    QPushButton* ButtonPrint = nullptr;
    QLabel* Labelcall = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* Col = nullptr;
    QMenu* Row = nullptr;
};

// "Wendrix 1.37 - " and the maker's mark.
[[nodiscard]] QString MainWindowCaption();

}  // namespace wendrix::ui
