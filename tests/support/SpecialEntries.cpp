// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SpecialEntries.h"

#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace wendrix::test {

bool MakeFifo(const std::filesystem::path& path)
{
#ifdef _WIN32
    (void)path;
    return false;
#else
    return ::mkfifo(path.c_str(), 0600) == 0;
#endif
}

bool MakeDanglingLink(const std::filesystem::path& path)
{
#ifdef _WIN32
    // Links need a right there that a test cannot count on, and an emulator may lack them.
    (void)path;
    return false;
#else
    std::error_code error;
    std::filesystem::create_symlink(path.parent_path() / "no-such-target", path, error);
    return !error;
#endif
}

}  // namespace wendrix::test
