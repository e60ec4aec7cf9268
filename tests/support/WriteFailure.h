// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace wendrix::test {

// While it lives, a write that replaces `file` cannot complete; each platform fails the way it
// really does:
// - elsewhere than Windows, no file of this process may grow beyond 1 KiB, as on a full disk:
//   new content larger than that fails halfway (the limit is lifted again afterwards);
// - on Windows, another handle holds `file` open without sharing it, as an editor or a
//   spreadsheet that has the file open does: the new content is written, but cannot take the
//   place of the old file.
class WriteBlock
{
public:
    explicit WriteBlock(const std::filesystem::path& file);
    ~WriteBlock();
    WriteBlock(const WriteBlock&) = delete;
    WriteBlock& operator=(const WriteBlock&) = delete;

    // False when the block could not be set up; a test then has nothing to show.
    [[nodiscard]] bool Active() const { return m_active; }

private:
    bool m_active = false;
#ifdef _WIN32
    void* m_holder = nullptr;
#else
    unsigned long long m_savedLimit = 0;
#endif
};

}  // namespace wendrix::test
