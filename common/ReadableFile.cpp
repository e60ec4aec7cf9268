// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ReadableFile.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wendrix {

namespace {

[[nodiscard]] FileKind KindOfStatus(const std::filesystem::file_status& status)
{
    using std::filesystem::file_type;
    switch (status.type()) {
    case file_type::regular:
        return FileKind::Regular;
    case file_type::not_found:
        return FileKind::Missing;
    case file_type::directory:
        return FileKind::Directory;
    case file_type::fifo:
        return FileKind::Fifo;
    case file_type::socket:
        return FileKind::Socket;
    case file_type::block:
    case file_type::character:
        return FileKind::Device;
    default:
        return FileKind::OtherKind;
    }
}

// The kind of a path whose open failed or that was not opened at all, from the entry itself.
[[nodiscard]] FileKind KindOfPath(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!error) {
        const FileKind kind = KindOfStatus(status);
        return kind == FileKind::Regular ? FileKind::Unreadable : kind;
    }
    std::error_code linkError;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, linkError))) {
        return FileKind::DanglingLink;
    }
    return error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory
               ? FileKind::Missing
               : FileKind::Unreadable;
}

}  // namespace

std::string_view FileKindText(FileKind kind)
{
    switch (kind) {
    case FileKind::Directory:
        return "ein Verzeichnis";
    case FileKind::Fifo:
        return "eine Pipe (FIFO)";
    case FileKind::Socket:
        return "ein Socket";
    case FileKind::Device:
        return "eine Gerätedatei";
    case FileKind::DanglingLink:
        return "ein Verweis ohne Ziel";
    case FileKind::OtherKind:
        return "keine gewöhnliche Datei";
    case FileKind::Regular:
    case FileKind::Missing:
    case FileKind::Unreadable:
        break;
    }
    return {};
}

std::string SkippedEntryText(std::string_view name, FileKind kind)
{
    std::string text = "Übersprungen: ";
    text += name;
    text += " ist ";
    text += FileKindText(kind);
    return text;
}

FileKind KindOfEntry(const std::filesystem::directory_entry& entry)
{
    std::error_code error;
    // The type the directory listing gave is used where it is known, so a folder of thousands
    // of lists costs no extra call per file.
    if (entry.is_regular_file(error)) {
        return FileKind::Regular;
    }
    const auto status = entry.status(error);
    if (!error) {
        return KindOfStatus(status);
    }
    std::error_code linkError;
    if (entry.is_symlink(linkError)) {
        return FileKind::DanglingLink;
    }
    return error == std::errc::no_such_file_or_directory ? FileKind::Missing : FileKind::Unreadable;
}

ReadableFile OpenReadableFile(const std::filesystem::path& path)
{
    ReadableFile result;
    // A look before the open keeps devices from being opened at all (opening some of them has
    // effects of its own); the check on the open handle below is the one that counts.
    {
        std::error_code error;
        const auto status = std::filesystem::status(path, error);
        if (error) {
            result.Kind = KindOfPath(path);
            return result;
        }
        if (!std::filesystem::is_regular_file(status)) {
            result.Kind = KindOfStatus(status);
            return result;
        }
    }
#ifdef _WIN32
    // Windows has no pipes in the file system's directories; a device name such as CON is caught
    // by the check on the handle.
    const int descriptor = _wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (descriptor < 0) {
        result.Kind = KindOfPath(path);
        return result;
    }
    struct _stat64 info
    {
    };
    if (_fstat64(descriptor, &info) != 0) {
        _close(descriptor);
        result.Kind = FileKind::Unreadable;
        return result;
    }
    const auto type = info.st_mode & _S_IFMT;
    if (type != _S_IFREG) {
        _close(descriptor);
        result.Kind = type == _S_IFDIR   ? FileKind::Directory
                      : type == _S_IFCHR ? FileKind::Device
                                         : FileKind::OtherKind;
        return result;
    }
    std::FILE* file = _wfdopen(descriptor, L"rb");
    if (file == nullptr) {
        _close(descriptor);
        result.Kind = FileKind::Unreadable;
        return result;
    }
#else
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        result.Kind = KindOfPath(path);
        return result;
    }
    struct stat info
    {
    };
    if (::fstat(descriptor, &info) != 0) {
        ::close(descriptor);
        result.Kind = FileKind::Unreadable;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(descriptor);
        result.Kind = S_ISDIR(info.st_mode)                            ? FileKind::Directory
                      : S_ISFIFO(info.st_mode)                         ? FileKind::Fifo
                      : S_ISSOCK(info.st_mode)                         ? FileKind::Socket
                      : S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) ? FileKind::Device
                                                                       : FileKind::OtherKind;
        return result;
    }
    // A regular file reads the same either way; ordinary blocking reads are what the stdio
    // functions expect.
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags >= 0) {
        (void)::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
    }
    std::FILE* file = ::fdopen(descriptor, "rb");
    if (file == nullptr) {
        ::close(descriptor);
        result.Kind = FileKind::Unreadable;
        return result;
    }
#endif
    result.File = file;
    result.Kind = FileKind::Regular;
    result.Size = static_cast<std::uint64_t>(info.st_size);
    return result;
}

}  // namespace wendrix
