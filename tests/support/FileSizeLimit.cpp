#include "support/FileSizeLimit.h"

#include <csignal>

namespace wendrix::test {

void LimitFileSizeTo(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    limit.rlim_cur = bytes;
    limit.rlim_max = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

}  // namespace wendrix::test
