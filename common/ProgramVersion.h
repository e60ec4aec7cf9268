// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The release both programs report. The number comes from the build, which takes it from the one
// version in the project's CMakeLists.txt, so the programs, the package and its metadata agree.
namespace wendrix {

// "0.1.0".
[[nodiscard]] std::string_view ProgramVersion();

// What `--version` prints: the program's name and version on the first line (the form that
// manual-page generators and packagers read), then the copyright and licence lines.
[[nodiscard]] std::string VersionText(std::string_view program);

}  // namespace wendrix
