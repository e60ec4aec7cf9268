// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ReadableFile.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "support/SpecialEntries.h"
#include "support/TempDir.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace wendrix {
namespace {

#ifndef _WIN32
// A socket bound to a name in the file system; false where the name is too long for one.
bool MakeSocket(const std::filesystem::path& path, int& descriptor)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = path.string();
    if (name.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    return descriptor >= 0 &&
           ::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}
#endif

// Every kind an entry can be is told apart, by the open as by a look at the listing, and only a
// regular file (also behind a link) is opened. A pipe with no writer must not make either wait.
TEST(ReadableFile, OnlyRegularFilesAreOpenedAndNothingWaits)
{
    test::TempDir directory;
    const auto file = directory.Write("LIST.CFD", "K1ABC\r\n");
    std::map<std::string, FileKind> expected{{"LIST.CFD", FileKind::Regular},
                                             {"FOLDER.CFD", FileKind::Directory}};
    std::filesystem::create_directory(directory.Path() / "FOLDER.CFD");
    if (test::MakeDanglingLink(directory.Path() / "X.CFD")) {
        expected["X.CFD"] = FileKind::DanglingLink;
        std::filesystem::create_symlink(file, directory.Path() / "LINK.CFD");
        expected["LINK.CFD"] = FileKind::Regular;
        std::filesystem::create_symlink("LOOP.CFD", directory.Path() / "LOOP.CFD");
        expected["LOOP.CFD"] = FileKind::DanglingLink;
    }
#ifndef _WIN32
    ASSERT_TRUE(test::MakeFifo(directory.Path() / "AB1CD.CFD"));
    expected["AB1CD.CFD"] = FileKind::Fifo;
    std::filesystem::create_symlink("/dev/null", directory.Path() / "NULL.CFD");
    expected["NULL.CFD"] = FileKind::Device;
    int socket = -1;
    if (MakeSocket(directory.Path() / "S.CFD", socket)) {
        expected["S.CFD"] = FileKind::Socket;
    }
#endif

    for (const auto& [name, kind] : expected) {
        const ReadableFile opened = OpenReadableFile(directory.Path() / name);
        EXPECT_EQ(opened.Kind, kind) << name;
        EXPECT_EQ(opened.File != nullptr, kind == FileKind::Regular) << name;
        if (opened.File != nullptr) {
            EXPECT_EQ(opened.Size, 7u) << name;
            char bytes[8] = {};
            EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, opened.File), 7u) << name;
            std::fclose(opened.File);
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(directory.Path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(KindOfEntry(entry), expected.at(name)) << name;
    }
    EXPECT_EQ(OpenReadableFile(directory.Path() / "MISSING.CFD").Kind, FileKind::Missing);
#ifndef _WIN32
    if (socket >= 0) {
        ::close(socket);
    }
#endif
}

}  // namespace
}  // namespace wendrix
