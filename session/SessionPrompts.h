// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// Every question and message of the member's and the evaluator's flows (start-up, saving,
// closing, thresholds), kept behind one interface: the desktop answers with message boxes and
// dialogs, the command line from its flags, the tests from a script. All text handed over is
// valid UTF-8.
namespace wendrix {

inline constexpr std::string_view kCallTooShortText = "Bitte Rufzeichen eintragen.";
inline constexpr std::string_view kOverwriteListQuestion =
    "Früher gespeicherte Liste überschreiben?.";
inline constexpr std::string_view kSaveOnCloseQuestion = "Programm beendet. Daten speichern ?";
inline constexpr std::string_view kChooseListCaption = "Vorhandene Liste einlesen:";
inline constexpr std::string_view kEvaluationLogCaption = "Auswertung";

class SessionPrompts
{
public:
    virtual ~SessionPrompts() = default;

    // An error box with OK: "Bitte Rufzeichen eintragen.", the range message of the thresholds.
    virtual void ShowError(std::string_view text) = 0;
    // "Schreibfehler in Datei ..." or "Lesefehler in Datei ..." in an error box with OK and
    // Ignore; the answer changes nothing.
    virtual void ShowFileError(std::string_view text) = 0;
    // "Früher gespeicherte Liste überschreiben?." (Yes/No); true = overwrite.
    [[nodiscard]] virtual bool AskOverwriteList() = 0;
    // "Programm beendet. Daten speichern ?" (Yes/No); true = save first.
    [[nodiscard]] virtual bool AskSaveOnClose() = 0;
    // The earlier lists found at start-up, sorted, the first one selected; the chosen name, or
    // none when the user declined.
    [[nodiscard]] virtual std::optional<std::string>
    ChooseListFile(std::span<const std::string> names) = 0;
    // The report window with a caption and its lines: modal for the problems of a list that was
    // read, beside the main window for the evaluation log.
    virtual void ShowReport(std::string_view caption, std::span<const std::string> lines,
                            bool modal) = 0;
};

}  // namespace wendrix
