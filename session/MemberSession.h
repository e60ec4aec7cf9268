// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/CallResolver.h"
#include "catalogue/EntityCatalogue.h"
#include "import/ImportRun.h"
#include "lists/LoadList.h"
#include "matrix/ConfirmationMatrix.h"
#include "matrix/MatrixEditing.h"
#include "session/EditHistory.h"
#include "session/SaveOutcome.h"
#include "session/SessionPrompts.h"

// The member station's side of the program: its call sign, its list in the list directory and
// the flows around them (start-up, import, saving, closing), without any window. The unsaved
// changes are the matrix's modified state; the save button follows it.
namespace wendrix {

inline constexpr std::size_t kMaxOfferedLists = 1000;

enum class StartupFound {
    NoList,        // an empty matrix and an empty call sign
    OneListRead,   // the only list of the directory was read at once
    SeveralLists,  // offer them (OfferEarlierLists) once the window is on the screen
};

class MemberSession
{
public:
    // The collaborators must outlive the session.
    MemberSession(const EntityCatalogue& catalogue, ConfirmationMatrix& matrix,
                  std::filesystem::path listDirectory, SessionPrompts& prompts);

    [[nodiscard]] const EntityCatalogue& Catalogue() const { return m_catalogue; }
    [[nodiscard]] ConfirmationMatrix& Matrix() { return m_matrix; }
    [[nodiscard]] const ConfirmationMatrix& Matrix() const { return m_matrix; }
    [[nodiscard]] const std::filesystem::path& ListDirectory() const { return m_listDirectory; }

    // The call sign as the edit holds it after typing or pasting text: filtered, upper-cased.
    void SetCallSign(std::string_view text);
    [[nodiscard]] const std::string& CallSign() const { return m_callSign; }
    // The upload hint for the current call sign; none while it is hidden.
    [[nodiscard]] std::optional<std::string> UploadHint() const;
    // The list file the current call sign names: the earlier list of the call sign whatever the
    // case of its name, else the file a save would make.
    [[nodiscard]] std::filesystem::path ListFilePath() const;

    // Start-up: looks for earlier lists ("*.CFD" in any case) in the list directory. One is
    // read at once; several are kept for OfferEarlierLists (at most 1000, in name order).
    StartupFound Start();
    [[nodiscard]] const std::vector<std::string>& EarlierLists() const { return m_earlierLists; }
    // Offers the earlier lists found by Start (when there are two or more) and reads the chosen
    // one. Returns whether a list was read.
    bool OfferEarlierLists();
    // Reads a list file of the list directory (a bare name ending in ".CFD") into the matrix,
    // takes its call sign, and shows the read-error message and the problems it found. The
    // unsaved-changes state is left alone.
    ListLoadResult ReadList(std::string_view fileName);
    // Reads a list file from anywhere (one dropped on the window) as the start-up reads one,
    // after asking about unsaved changes as closing does. None when the changes were to be saved
    // and the save did not complete: the matrix is left as it was.
    std::optional<ListLoadResult> ReadListFile(const std::filesystem::path& file);

    // An import run into the matrix; the questions go to the import's own prompts. Given logs
    // are read without the file choice (see ImportRun::Run).
    ImportOutcome Import(ImportPrompts& prompts, ImportProgress& progress, ImportReport& report,
                         LogSourceOpener& opener,
                         std::optional<std::vector<std::filesystem::path>> logs = std::nullopt);

    // "Liste löschen": every cell cleared; whether that is an unsaved change stays as it was.
    void ClearList();
    // A click on a quarter of the matrix: a tick is set or taken away, with what depends on it.
    void ToggleCell(int entity, BandIndex band, ModeIndex mode);
    // An item of the matrix's popup menu on the row and column under the right click.
    void ApplyPopup(const PopupTarget& target, PopupCommand command);

    // Takes back the last change of the matrix (a click, a popup item, "Liste löschen", an
    // import run) or does again the last one taken back; false when there is none. The
    // unsaved-changes state follows.
    bool Undo() { return m_history.Undo(); }
    bool Redo() { return m_history.Redo(); }

    // "Liste speichern": checks the call sign, asks before replacing an earlier list, writes it
    // safely and reports a failure.
    SaveOutcome Save();
    // Closing the window: asks about unsaved changes and saves on request. Returns whether the
    // window may close (false when a requested save did not complete).
    [[nodiscard]] bool Close();

    // Whether there is something to save (the save button's enabled state).
    [[nodiscard]] bool HasUnsavedChanges() const { return m_matrix.Modified(); }

private:
    ListLoadResult ReadListIn(const std::filesystem::path& directory, std::string_view fileName);
    // A change by hand: one step of the history, and the import's marks leave the cells it
    // changed.
    template <typename Change>
    void EditByHand(Change change);

    const EntityCatalogue& m_catalogue;
    ConfirmationMatrix& m_matrix;
    std::filesystem::path m_listDirectory;
    SessionPrompts& m_prompts;
    // Built at the first import: its index takes a few milliseconds the start-up need not wait
    // for.
    std::optional<CallResolver> m_resolver;
    std::string m_callSign;
    std::vector<std::string> m_earlierLists;
    EditHistory m_history{m_matrix};
};

// The save-on-close rule both sessions share: without unsaved changes the window closes; else
// the user is asked, and on Yes the window closes only when the save completed.
template <typename Session>
[[nodiscard]] bool CloseAfterAsking(Session& session, SessionPrompts& prompts)
{
    if (!session.HasUnsavedChanges()) {
        return true;
    }
    if (!prompts.AskSaveOnClose()) {
        return true;
    }
    (void)session.Save();  // a failure has been shown and leaves the changes unsaved
    return !session.HasUnsavedChanges();
}

}  // namespace wendrix
