// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the desktop program's command line: any bytes, cut into parameters at NUL
// bytes. A parameter starting with "@" is taken relative to a scratch folder that holds the
// directories "lists", "Result" and "x.CFD", the file "AB1CD.CFD" and a dangling symbolic link,
// so that existing directories (and look-alikes) turn up. Checks the choice against the rules:
// "RESULT" in any case selects the evaluation; the last parameter naming an existing directory
// becomes the list directory; anything else is ignored, and the chosen directory is then used
// as it is.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "common/Text.h"
#include "common/Utf8Path.h"
#include "session/CommandLine.h"
#include "support/FuzzCheck.h"

namespace {

using wendrix::fuzz::Check;

class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "wendrix-fuzz-XXXXXX").string();
        Check(mkdtemp(pattern.data()) != nullptr, "no scratch folder");
        Root = pattern;
        std::filesystem::create_directory(Root / "lists");
        std::filesystem::create_directory(Root / "Result");
        std::filesystem::create_directory(Root / "x.CFD");
        std::ofstream(Root / "AB1CD.CFD") << "list\n";
        std::error_code error;
        std::filesystem::create_symlink(Root / "gone", Root / "dangling", error);
    }
    ~ScratchFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(Root, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path Root;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFolder scratch;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parameters;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size() && parameters.size() < 16; ++i) {
        if (i == bytes.size() || bytes[i] == '\0') {
            std::string parameter(bytes.substr(start, i - start));
            if (!parameter.empty() && parameter[0] == '@') {
                parameter = wendrix::PathToUtf8(scratch.Root) + "/" + parameter.substr(1);
            }
            parameters.push_back(std::move(parameter));
            start = i + 1;
        }
    }
    const std::filesystem::path program = scratch.Root / "program";
    const wendrix::StartupChoice choice = wendrix::ParseCommandLine(parameters, program);

    bool evaluation = false;
    const std::string* lastDirectory = nullptr;
    for (const std::string& parameter : parameters) {
        if (wendrix::AsciiUpper(parameter) == "RESULT") {
            evaluation = true;
            continue;
        }
        std::error_code error;
        if (!parameter.empty() &&
            std::filesystem::is_directory(wendrix::PathFromUtf8(parameter), error)) {
            lastDirectory = &parameter;
        }
    }
    Check(choice.EvaluationMode == evaluation, "RESULT in any case, and only it, evaluates");
    Check(choice.DirectoryGiven == (lastDirectory != nullptr), "a directory given or not");
    Check(choice.ListDirectory == (lastDirectory ? wendrix::PathFromUtf8(*lastDirectory) : program),
          "the last existing directory, or the program's, is the list directory");
    if (choice.DirectoryGiven) {
        Check(wendrix::UsableListDirectory(choice, [] { return std::filesystem::path("none"); }) ==
                  choice.ListDirectory,
              "a directory given on the command line is used as it is");
    }
    return 0;
}
