// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace wendrix {

namespace {

constexpr int kNameAttempts = 64;

std::string UniqueSuffix()
{
    static std::atomic<unsigned> counter{0};
    static const unsigned long long seed = std::random_device{}();
    const unsigned long long value = seed ^ (0x9E3779B97F4A7C15ull * ++counter);
    char text[24];
    std::snprintf(text, sizeof text, "%016llx", value);
    return text;
}

// Creates a file that must not exist yet. fopen's "x" is C11, and not every Windows C runtime
// takes it (MinGW programs use the system's msvcrt.dll), so there _wopen's _O_EXCL does it.
std::FILE* CreateExclusively(const std::filesystem::path& path)
{
#ifdef _WIN32
    const int descriptor =
        _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = _wfdopen(descriptor, L"wb");
    if (file == nullptr) {
        _close(descriptor);
    }
    return file;
#else
    return OpenFile(path, "wbx");
#endif
}

// Opens a new file next to the target that did not exist before.
std::FILE* CreateTemporaryFile(const std::filesystem::path& target, std::filesystem::path& created)
{
    const auto directory = target.parent_path();
    // Put together as a path, so a name in any script survives on every platform.
    std::filesystem::path stem(".");
    stem += target.filename();
    stem += ".tmp-";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        auto name = stem;
        name += UniqueSuffix();
        auto candidate = directory / name;
        errno = 0;
        std::FILE* file = CreateExclusively(candidate);
        if (file != nullptr) {
            created = std::move(candidate);
            return file;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

std::filesystem::path ResolveTarget(const std::filesystem::path& target)
{
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) {
        auto resolved = std::filesystem::weakly_canonical(target, error);
        if (!error) {
            return resolved;
        }
    }
    return target;
}

class DiskSteps final : public SafeWriteSteps
{
public:
    std::FILE* CreateTemporary(const std::filesystem::path& target,
                               std::filesystem::path& created) override
    {
        return CreateTemporaryFile(target, created);
    }
    bool Write(std::FILE* file, std::string_view content) override
    {
        return content.empty() ||
               std::fwrite(content.data(), 1, content.size(), file) == content.size();
    }
    bool Flush(std::FILE* file) override
    {
        return std::fflush(file) == 0 && std::ferror(file) == 0;
    }
    bool Sync(std::FILE* file) override
    {
#ifdef _WIN32
        return _commit(_fileno(file)) == 0;
#else
        return ::fsync(::fileno(file)) == 0;
#endif
    }
    bool Close(std::FILE* file) override
    {
        return std::fclose(file) == 0;
    }
    bool Replace(const std::filesystem::path& temporary,
                 const std::filesystem::path& target) override
    {
#ifdef _WIN32
        // One call that replaces an existing target in place and returns only when the new
        // name is on the disk. It fails while another program holds the target open without
        // sharing it; the previous file then stays as it was.
        return MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
        std::error_code error;
        std::filesystem::rename(temporary, target, error);
        return !error;
#endif
    }
    bool SyncDirectory(const std::filesystem::path& directory) override
    {
#ifdef _WIN32
        (void)directory;  // MOVEFILE_WRITE_THROUGH has made the new name durable
        return true;
#else
        const std::string name = directory.empty() ? std::string(".") : directory.string();
        const int descriptor = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor < 0) {
            return false;
        }
        errno = 0;
        bool synced = ::fsync(descriptor) == 0;
        // Some file systems cannot sync a directory at all; the rename is then as safe as
        // they make it.
        if (!synced && (errno == EINVAL || errno == ENOTSUP)) {
            synced = true;
        }
        ::close(descriptor);
        return synced;
#endif
    }
    void Remove(const std::filesystem::path& temporary) override
    {
        std::error_code error;
        std::filesystem::remove(temporary, error);
    }
};

}  // namespace

SafeWriteSteps& DiskWriteSteps()
{
    static DiskSteps steps;
    return steps;
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode)
{
#ifdef _WIN32
    std::wstring wideMode;
    for (const char* c = mode; *c != '\0'; ++c) {
        wideMode += static_cast<wchar_t>(*c);
    }
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

bool WriteFileSafely(const std::filesystem::path& requestedTarget, std::string_view content,
                     SafeWriteSteps& steps)
{
    const auto target = ResolveTarget(requestedTarget);
    if (target.filename().empty()) {
        return false;
    }
    std::filesystem::path temporary;
    std::FILE* file = steps.CreateTemporary(target, temporary);
    if (file == nullptr) {
        return false;
    }

    // Every step runs even after a failure, so the file is closed in any case.
    bool good = steps.Write(file, content);
    good = steps.Flush(file) && good;
    good = good && steps.Sync(file);
    good = steps.Close(file) && good;

    if (good) {
#ifndef _WIN32
        // Keep the access rights of the file being replaced. (Windows keeps only a read-only
        // flag, which a list that is saved again should not take over.)
        std::error_code error;
        const auto previous = std::filesystem::status(target, error);
        if (!error && std::filesystem::is_regular_file(previous)) {
            std::filesystem::permissions(temporary, previous.permissions(),
                                         std::filesystem::perm_options::replace, error);
        }
#endif
        good = steps.Replace(temporary, target);
    }
    if (!good) {
        steps.Remove(temporary);
        return false;
    }
    // The new list is in place; without this its name could still point at the old data, or at
    // nothing, after a power cut. A failure here is reported so the change stays unsaved.
    return steps.SyncDirectory(target.parent_path());
}

}  // namespace wendrix
