// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix-cli: the catalogue, the import, the survey list and the club evaluation without the
// desktop window, for scripts and large checks.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "Commands.h"
#include "catalogue/EntityCatalogue.h"
#include "common/ProgramVersion.h"
#include "platform/Console.h"

int main(int argc, char** argv)
{
    // Nothing here writes through C's stdio: the streams keep buffers of their own instead of
    // handing every insertion (and, reading, every byte) to stdio. std::cerr stays tied to
    // std::cout, so a message still comes after the lines written before it.
    std::ios::sync_with_stdio(false);
    try {
        const wendrix::EntityCatalogue catalogue = wendrix::BuildEntityCatalogue();
        // Named here rather than from argv[0], so that the usage lines and the manual page made
        // from them name the program as installed, not the path it was started by.
        CLI::App app{"Wendrix command-line tool: DXCC catalogue, ADIF import, survey lists and "
                     "club evaluation",
                     "wendrix-cli"};
        app.require_subcommand(1);
        // CLI11 ends the text with a line break of its own.
        std::string version = wendrix::VersionText("wendrix-cli");
        version.pop_back();
        app.set_version_flag("--version", version);
        // A file name such as "/logs/x.adi" is a file name on Windows too, not an option.
        app.allow_windows_style_options(false);
        wendrix::cli::RegisterCatalogueCommands(app, catalogue);
        wendrix::cli::RegisterImportCommands(app, catalogue);
        wendrix::cli::RegisterListCommands(app, catalogue);
        wendrix::cli::RegisterEvaluationCommands(app, catalogue);
#ifdef WENDRIX_HAVE_PRINT
        wendrix::cli::RegisterPrintCommands(app, catalogue);
#endif
        // File names are UTF-8 everywhere in the program, whatever the platform hands over.
        wendrix::platform::UseUtf8Console();
        const std::vector<std::string> arguments = wendrix::platform::Utf8Arguments(argc, argv);
        std::vector<const char*> pointers;
        for (const std::string& argument : arguments) {
            pointers.push_back(argument.c_str());
        }
        CLI11_PARSE(app, static_cast<int>(pointers.size()), pointers.data());
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "wendrix-cli: " << error.what() << "\n";
        return 1;
    }
}
