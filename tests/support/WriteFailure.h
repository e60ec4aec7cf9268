#pragma once

#include <filesystem>
#include <functional>

namespace wendrix::test {

// Runs `attempt` while the system refuses to complete a write that replaces `file`, and returns
// what `attempt` returned (true when it saw what the test expects). Each platform fails the
// way it really does:
// - elsewhere than Windows, `attempt` runs in a child process whose files may not grow beyond
//   1 KiB, as on a full disk: the new content (which must be larger) fails halfway. The child's
//   changes to memory are lost, so `attempt` checks them itself;
// - on Windows, another handle holds `file` open without sharing it, as an editor or a
//   spreadsheet that has the file open does: the new content is written, but cannot take the
//   place of the old file.
[[nodiscard]] bool WhileWritesFail(const std::filesystem::path& file,
                                   const std::function<bool()>& attempt);

}  // namespace wendrix::test
