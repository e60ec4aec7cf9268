#include "common/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

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

// Opens a new file next to the target that did not exist before ("x": exclusive creation).
std::FILE* CreateTemporary(const std::filesystem::path& target, std::filesystem::path& created)
{
    const auto directory = target.parent_path();
    // Built by appending: the "literal + string" form trips a false -Wrestrict in g++ 12 at -O3.
    std::string stem(1, '.');
    stem += target.filename().string();
    stem += ".tmp-";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        auto candidate = directory / (stem + UniqueSuffix());
        errno = 0;
        std::FILE* file = OpenFile(candidate, "wbx");
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

}  // namespace

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

bool WriteFileSafely(const std::filesystem::path& requestedTarget, std::string_view content)
{
    const auto target = ResolveTarget(requestedTarget);
    if (target.filename().empty()) {
        return false;
    }
    std::filesystem::path temporary;
    std::FILE* file = CreateTemporary(target, temporary);
    if (file == nullptr) {
        return false;
    }

    bool good = true;
    if (!content.empty()) {
        good = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    }
    good = std::fflush(file) == 0 && good;
    good = std::ferror(file) == 0 && good;
    good = std::fclose(file) == 0 && good;

    std::error_code error;
    if (good) {
        // Keep the access rights of the file being replaced.
        const auto previous = std::filesystem::status(target, error);
        if (!error && std::filesystem::is_regular_file(previous)) {
            std::filesystem::permissions(temporary, previous.permissions(),
                                         std::filesystem::perm_options::replace, error);
        }
        error.clear();
        std::filesystem::rename(temporary, target, error);
        good = !error;
    }
    if (!good) {
        std::filesystem::remove(temporary, error);
    }
    return good;
}

}  // namespace wendrix
