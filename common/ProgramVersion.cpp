// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ProgramVersion.h"

#ifndef WENDRIX_VERSION
#error "WENDRIX_VERSION is set by the build from the project's version"
#endif

namespace wendrix {

std::string_view ProgramVersion()
{
    return WENDRIX_VERSION;
}

std::string VersionText(std::string_view program)
{
    std::string text(program);
    text += ' ';
    text += ProgramVersion();
    text += "\nCopyright (C) 2026 the Wendrix developers\n"
            "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
            "This is free software: you are free to change and redistribute it.\n"
            "There is NO WARRANTY, to the extent permitted by law.\n";
    return text;
}

}  // namespace wendrix
