// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Console.h"

#include <cerrno>
#include <climits>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

namespace wendrix::platform {

#ifdef _WIN32

namespace {

std::string ToUtf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.pop_back();  // the terminating zero
    return result;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr || count != argc) {
        // Not expected; the code-page arguments are still better than none.
        if (wide != nullptr) {
            LocalFree(wide);
        }
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        arguments.push_back(ToUtf8(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

void UseUtf8Console()
{
    SetConsoleOutputCP(CP_UTF8);
}

namespace {

// A console answers GetConsoleMode; a pipe, a file and the NUL device (which _isatty takes for
// a terminal) do not.
bool IsConsole(DWORD standardHandle)
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

}  // namespace

bool StdoutIsTerminal()
{
    static const bool terminal = IsConsole(STD_OUTPUT_HANDLE);
    return terminal;
}

bool StderrIsTerminal()
{
    static const bool terminal = IsConsole(STD_ERROR_HANDLE);
    return terminal;
}

std::ptrdiff_t ReadStandardInput(std::span<char> buffer)
{
    const auto size = static_cast<unsigned>(buffer.size() < INT_MAX ? buffer.size() : INT_MAX);
    return _read(0, buffer.data(), size);
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

void UseUtf8Console()
{
}

bool StdoutIsTerminal()
{
    static const bool terminal = ::isatty(STDOUT_FILENO) != 0;
    return terminal;
}

bool StderrIsTerminal()
{
    static const bool terminal = ::isatty(STDERR_FILENO) != 0;
    return terminal;
}

std::ptrdiff_t ReadStandardInput(std::span<char> buffer)
{
    for (;;) {
        const ssize_t count = ::read(STDIN_FILENO, buffer.data(), buffer.size());
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

#endif

}  // namespace wendrix::platform
