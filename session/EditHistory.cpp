// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/EditHistory.h"

#include <utility>

namespace wendrix {

EditHistory::EditHistory(ConfirmationMatrix& matrix)
    : m_matrix(matrix)
{
}

EditHistory::State EditHistory::Now() const
{
    return State{m_matrix, m_current, m_matrix.Modified(), m_saved};
}

void EditHistory::Begin()
{
    m_pending = Now();
}

void EditHistory::Commit(bool always)
{
    if (!m_pending) {
        return;
    }
    State before = std::move(*m_pending);
    m_pending.reset();
    if (!always && SameCellsAndMarks(before.Matrix, m_matrix)) {
        return;
    }
    m_undo.push_back(std::move(before));
    if (m_undo.size() > kDepth) {
        m_undo.pop_front();
    }
    m_redo.clear();
    m_current = m_next++;
}

bool EditHistory::Undo()
{
    if (m_undo.empty()) {
        return false;
    }
    MoveTo(m_undo, m_redo);
    return true;
}

bool EditHistory::Redo()
{
    if (m_redo.empty()) {
        return false;
    }
    MoveTo(m_redo, m_undo);
    return true;
}

void EditHistory::MoveTo(std::deque<State>& from, std::deque<State>& to)
{
    State target = std::move(from.back());
    from.pop_back();
    to.push_back(Now());
    m_matrix.RestoreCells(target.Matrix);
    m_current = target.Id;
    m_matrix.SetModified(m_current != m_saved && (target.SavedAt != m_saved || target.Modified));
}

void EditHistory::Reset()
{
    m_undo.clear();
    m_redo.clear();
    m_pending.reset();
    m_saved = m_current;
}

bool SameCellsAndMarks(const ConfirmationMatrix& a, const ConfirmationMatrix& b)
{
    if (a.Marks() != b.Marks()) {
        return false;
    }
    for (int entity = 1; entity <= ConfirmationMatrix::kMaxEntities; ++entity) {
        if (a.Row(entity) != b.Row(entity)) {
            return false;
        }
    }
    return true;
}

}  // namespace wendrix
