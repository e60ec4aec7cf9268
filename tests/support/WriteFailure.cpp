#include "support/WriteFailure.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace wendrix::test {

#ifdef _WIN32

bool WhileWritesFail(const std::filesystem::path& file, const std::function<bool()>& attempt)
{
    const HANDLE holder = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (holder == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool result = attempt();
    CloseHandle(holder);
    return result;
}

#else

bool WhileWritesFail(const std::filesystem::path& /*file*/, const std::function<bool()>& attempt)
{
    const pid_t child = fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);   // a write beyond the limit fails instead of ending us
        rlimit limit{};
        limit.rlim_cur = 1024;
        limit.rlim_max = 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(attempt() ? 0 : 1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#endif

}  // namespace wendrix::test
