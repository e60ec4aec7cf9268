// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/WriteFailure.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

namespace wendrix::test {

#ifdef _WIN32

WriteBlock::WriteBlock(const std::filesystem::path& file)
{
    const HANDLE holder = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (holder != INVALID_HANDLE_VALUE) {
        m_holder = holder;
        m_active = true;
    }
}

WriteBlock::~WriteBlock()
{
    if (m_active) {
        CloseHandle(static_cast<HANDLE>(m_holder));
    }
}

#else

WriteBlock::WriteBlock(const std::filesystem::path& /*file*/)
{
    // A write beyond the limit then fails instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return;
    }
    m_savedLimit = limit.rlim_cur;
    limit.rlim_cur = 1024;
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

WriteBlock::~WriteBlock()
{
    if (m_active) {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(m_savedLimit);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
}

#endif

}  // namespace wendrix::test
