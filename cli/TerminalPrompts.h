// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "platform/Console.h"
#include "session/SessionPrompts.h"

// The questions of the member's and the evaluator's flows answered on a terminal without
// asking: an earlier list is always replaced (the command names it), nothing is offered at
// start-up, and messages and reports are printed.
namespace wendrix::cli {

class TerminalSessionPrompts final : public SessionPrompts
{
public:
    // Messages go to stderr prefixed with the command's name.
    explicit TerminalSessionPrompts(std::string commandName);

    void ShowError(std::string_view text) override;
    void ShowFileError(std::string_view text) override;
    [[nodiscard]] bool AskOverwriteList() override { return true; }
    [[nodiscard]] bool AskSaveOnClose() override { return true; }
    [[nodiscard]] std::optional<std::string>
    ChooseListFile(std::span<const std::string> names) override;
    // The problems of a list that was read go to stderr under their caption; a log shown beside
    // the window (the evaluation's) goes to stdout line by line.
    void ShowReport(std::string_view caption, std::span<const std::string> lines,
                    bool modal) override;

private:
    std::string m_prefix;
};

// Text for a terminal: a log's control characters are shown escaped so that a crafted log cannot
// recolour or retitle the user's terminal. Text for a file or a pipe is left as it is.
[[nodiscard]] std::string ForTerminal(std::string_view text, bool toTerminal);
// Writes indent, the text (escaped as ForTerminal does) and a line break, without a copy of the
// text where none is needed.
void WriteLine(std::ostream& out, std::string_view indent, std::string_view text, bool toTerminal);
using platform::StderrIsTerminal;
using platform::StdoutIsTerminal;

}  // namespace wendrix::cli
