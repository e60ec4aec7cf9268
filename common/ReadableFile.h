// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

// Opening files for reading without ever waiting, and telling what an entry is when it is no
// file to read. A folder on a shared drive can hold anything under a list's or a log's name: a
// directory, a named pipe, a socket, a device or a link to nowhere. A plain open of a pipe waits
// for a writer for ever; none of these may freeze the program.
namespace wendrix {

enum class FileKind {
    Regular,     // a file with data: the only kind that is ever read
    Missing,     // no such entry (any more)
    Unreadable,  // perhaps a file, but it could not be opened (no permission, I/O error)
    Directory,   // the kinds from here on are never read: they are passed over
    Fifo,
    Socket,
    Device,
    DanglingLink,  // a symbolic link whose target does not exist, or a loop of links
    OtherKind,
};

// Whether an entry of this kind is passed over as no file at all.
[[nodiscard]] constexpr bool IsSpecialKind(FileKind kind)
{
    return kind >= FileKind::Directory;
}

// What a special entry is, as a sentence ends: "ein Verzeichnis", "eine Pipe (FIFO)", ...; empty
// for the other kinds.
[[nodiscard]] std::string_view FileKindText(FileKind kind);

// "Übersprungen: " + name + " ist " + FileKindText(kind): the report line of an entry that was
// passed over.
[[nodiscard]] std::string SkippedEntryText(std::string_view name, FileKind kind);

struct ReadableFile
{
    std::FILE* File = nullptr;          // opened in binary mode; the caller closes it
    FileKind Kind = FileKind::Missing;  // Regular exactly when File is set
    std::uint64_t Size = 0;             // the size of the opened file
};

// Opens a regular file (after following symbolic links) for reading. Nothing else is opened for
// good: the open itself never waits (O_NONBLOCK), and the kind is taken from the opened handle,
// so an entry swapped for a pipe between a look at its name and the open is caught all the same.
[[nodiscard]] ReadableFile OpenReadableFile(const std::filesystem::path& path);

// The kind of a directory entry, following a symbolic link, without opening it. An entry that
// cannot be looked at for another reason than its absence counts as Unreadable.
[[nodiscard]] FileKind KindOfEntry(const std::filesystem::directory_entry& entry);

}  // namespace wendrix
