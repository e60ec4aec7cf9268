// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// The console as the command-line tool sees it, the same on every platform: arguments arrive as
// UTF-8 (Windows hands them over in the user's code page unless asked for the wide form), text
// goes out as UTF-8, and whether a stream is a terminal is asked in one place.
namespace wendrix::platform {

// The program's arguments (argv[0] included) as UTF-8. On Windows they are taken from the wide
// command line, so file names outside the user's code page arrive intact.
[[nodiscard]] std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Makes a console window show the UTF-8 the program writes (Windows); nothing elsewhere.
void UseUtf8Console();

[[nodiscard]] bool StdoutIsTerminal();
[[nodiscard]] bool StderrIsTerminal();

// Reads what standard input has ready, up to the buffer's size, in one system call: a line
// typed on a terminal comes back at once, a file or a pipe fills the buffer. 0 at the end, -1
// after an error. (Windows reads in text mode, as the C library's streams do there.)
[[nodiscard]] std::ptrdiff_t ReadStandardInput(std::span<char> buffer);

}  // namespace wendrix::platform
