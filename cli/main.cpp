// wendrix-cli: the catalogue, the import, the survey list and the club evaluation without the
// desktop window, for scripts and large checks.
#include <exception>
#include <iostream>

#include <CLI/CLI.hpp>

#include "Commands.h"
#include "catalogue/EntityCatalogue.h"

int main(int argc, char** argv)
{
    try {
        const wendrix::EntityCatalogue catalogue = wendrix::BuildEntityCatalogue();
        CLI::App app{"Wendrix command-line tool: DXCC catalogue, ADIF import, survey lists and "
                     "club evaluation"};
        app.require_subcommand(1);
        wendrix::cli::RegisterCatalogueCommands(app, catalogue);
        wendrix::cli::RegisterImportCommands(app, catalogue);
        wendrix::cli::RegisterListCommands(app, catalogue);
        wendrix::cli::RegisterEvaluationCommands(app, catalogue);
        wendrix::cli::RegisterPrintCommands(app, catalogue);
        CLI11_PARSE(app, argc, argv);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "wendrix-cli: " << error.what() << "\n";
        return 1;
    }
}
