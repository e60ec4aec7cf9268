// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

#include "matrix/ConfirmationMatrix.h"

// The member's changes of the matrix, taken back and done again one step at a time: a click, a
// popup item, "Liste löschen", a whole import run. A step keeps a copy of the matrix (cells and
// marks) as it stood before; the matrix is small, so copies are cheaper than recording what each
// kind of change did. The unsaved-changes state follows: back at the state the list file holds
// there is nothing to save, a state from before the last save differs from the file, and
// otherwise a state comes back with the state it had ("Liste löschen" is no change of its own).
namespace wendrix {

class EditHistory
{
public:
    static constexpr std::size_t kDepth = 64;  // steps that can be taken back

    // The matrix must outlive the history.
    explicit EditHistory(ConfirmationMatrix& matrix);

    // Before a change: the matrix as it stands.
    void Begin();
    // The matrix before the change begun last.
    [[nodiscard]] const ConfirmationMatrix& Before() const { return m_pending->Matrix; }
    // After the change: a step when cells or marks changed, or always when asked (an import run
    // counts as a change even when every contact was known). A new step drops the steps that
    // were taken back.
    void Commit(bool always = false);

    [[nodiscard]] bool CanUndo() const { return !m_undo.empty(); }
    [[nodiscard]] bool CanRedo() const { return !m_redo.empty(); }
    // Returns whether there was a step.
    bool Undo();
    bool Redo();

    // The matrix as it stands is what the list file holds: after a save.
    void MarkSaved() { m_saved = m_current; }
    // Another list was read: no step leads back, and it is what the file holds.
    void Reset();

private:
    struct State
    {
        ConfirmationMatrix Matrix;
        std::uint64_t Id = 0;
        bool Modified = false;      // the unsaved-changes state it had
        std::uint64_t SavedAt = 0;  // the state the list file held then
    };
    [[nodiscard]] State Now() const;
    void MoveTo(std::deque<State>& from, std::deque<State>& to);

    ConfirmationMatrix& m_matrix;
    std::deque<State> m_undo;
    std::deque<State> m_redo;
    std::optional<State> m_pending;
    std::uint64_t m_current = 0;  // the state the matrix shows
    std::uint64_t m_next = 1;
    std::uint64_t m_saved = 0;  // the state the list file holds
};

// Whether two matrices hold the same cells and marks.
[[nodiscard]] bool SameCellsAndMarks(const ConfirmationMatrix& a, const ConfirmationMatrix& b);

}  // namespace wendrix
