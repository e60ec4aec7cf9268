// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminalPrompts.h"

#include <iostream>
#include <utility>

#include "common/Text.h"

namespace wendrix::cli {

std::string ForTerminal(std::string_view text, bool toTerminal)
{
    return toTerminal ? EscapeForTerminal(text) : std::string(text);
}

void WriteLine(std::ostream& out, std::string_view indent, std::string_view text, bool toTerminal)
{
    out << indent;
    if (toTerminal) {
        out << EscapeForTerminal(text);
    } else {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    out << '\n';
}

TerminalSessionPrompts::TerminalSessionPrompts(std::string commandName)
    : m_prefix("wendrix-cli " + std::move(commandName) + ": ")
{
}

void TerminalSessionPrompts::ShowError(std::string_view text)
{
    std::cerr << m_prefix << ForTerminal(text, StderrIsTerminal()) << '\n';
}

void TerminalSessionPrompts::ShowFileError(std::string_view text)
{
    std::cerr << m_prefix << ForTerminal(text, StderrIsTerminal()) << '\n';
}

std::optional<std::string>
TerminalSessionPrompts::ChooseListFile(std::span<const std::string> /*names*/)
{
    return std::nullopt;
}

void TerminalSessionPrompts::ShowReport(std::string_view caption,
                                        std::span<const std::string> lines, bool modal)
{
    if (!modal) {
        const bool terminal = StdoutIsTerminal();
        for (const std::string& line : lines) {
            WriteLine(std::cout, {}, line, terminal);
        }
        return;
    }
    const bool terminal = StderrIsTerminal();
    std::cerr << ForTerminal(caption, terminal) << ":\n";
    for (const std::string& line : lines) {
        std::cerr << "  " << ForTerminal(line, terminal) << '\n';
    }
}

}  // namespace wendrix::cli
