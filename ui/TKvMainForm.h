// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QStringList>
#include <QWidget>

#include "matrix/ConfirmationMatrix.h"
#include "matrix/MatrixEditing.h"
#include "ui/MainWindowControls.h"
#include "ui/TZtEdit.h"
#include "ui/matrix/ColumnGeometry.h"
#include "ui/matrix/MatrixPainters.h"

class QShortcut;

namespace wendrix {
class EntityCatalogue;
}  // namespace wendrix

namespace wendrix::ui {

class MatrixPopupMenu;
class MatrixView;
class ThresholdsGrid;

// The main window: the matrix with its header and sum row, the call-sign edit, the buttons and
// the hint texts, in a fixed client area of 1018 x 734 designed at 96 pixels per inch. It shows
// the matrix it is given with the painters it is given and says what the user did; whoever
// connects to its signals carries out the member's or the evaluator's job.
class TKvMainForm final : public QWidget, private MatrixObserver
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TKvMainForm)

public:
    static constexpr int kClientWidth = 1018;
    static constexpr int kClientHeight = 734;

    // The collaborators must outlive the window. It starts laid out for the member's job.
    TKvMainForm(const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix,
                const MatrixPainterChoice& painting, QWidget* parent = nullptr);
    ~TKvMainForm() override;

    // The evaluator's layout: the member's controls hidden, the thresholds button shown, no menu
    // on the matrix, no dropped files and nothing to take back.
    void ArrangeForEvaluation();

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

    // The participants confirming the clicked cell of the evaluation, in a wide edit above the
    // matrix; hidden after a click outside the count columns.
    void ShowParticipantCalls(const QString& calls);
    void HideParticipantCalls();

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
    [[nodiscard]] const PopupTarget& Target() const;

signals:
    void ImportRequested();  // "ADIF-Log(s) importieren"
    void SaveRequested();    // "Liste speichern"
    void ClearRequested();   // "Liste löschen"
    void PrintRequested();   // "Drucken"
    void UndoRequested();    // Ctrl+Z
    void RedoRequested();    // Ctrl+Shift+Z, Ctrl+Y
    void LevelsRequested();  // "Schwellwerte"
    // The window is on the screen for the first time (shown and exposed), so that whatever the
    // flows show next appears over it rather than on an empty screen.
    void FirstShown();
    void CallSignChanged(const QString& callSign);  // typed or set
    void LogsDropped(const QStringList& files);     // files dropped on the window
    // A mouse button went down on a row of the matrix (not below the last row).
    void MatrixClicked(const wendrix::ui::MatrixHit& hit, Qt::MouseButton button);
    // An item of the popup menu, with the row and column of the right click that opened it.
    void PopupItemChosen(const wendrix::PopupTarget& target, wendrix::PopupCommand command);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ConnectControls();
    // The thresholds grid, made at its first showing: only the evaluation shows it, and only
    // when asked, so the start-up does not pay for it.
    ThresholdsGrid& LevelsGrid();
    void ConnectPopupMenu();
    void AddUndoKeys();
    void SetTabOrder();
    void SendFirstShown();
    void GridMouseDown(Qt::MouseButton button, QPoint position);
    void ZtEditCallChange(const QString& text);
    void UpdateButtonClear();

    void CellsChanged(const CellChange& change) override;
    void ModifiedChanged(bool modified) override;

    const ConfirmationMatrix& m_matrix;
    const int m_ppi;
    ZtEditShared m_ztEditShared;
    std::unique_ptr<MatrixView> m_view;
    MainWindowControls m_controls;
    MatrixPopupMenu* m_popup = nullptr;  // owned by the window as its parent
    std::vector<QShortcut*> m_undoKeys;  // owned by the window as their parent
    ThresholdsGrid* m_levels = nullptr;  // made by LevelsGrid()
    std::function<bool()> m_mayClose;
    bool m_shown = false;
    bool m_firstShownSent = false;
};

// "Wendrix 1.37 - " and the maker's mark.
[[nodiscard]] QString MainWindowCaption();

}  // namespace wendrix::ui
