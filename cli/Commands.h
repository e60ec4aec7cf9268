// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <CLI/CLI.hpp>

#include "catalogue/EntityCatalogue.h"

namespace wendrix::cli {

// Each command group adds its subcommands to the application. The catalogue is built once in
// main and outlives every command.
void RegisterCatalogueCommands(CLI::App& app, const EntityCatalogue& catalogue);
// import
void RegisterImportCommands(CLI::App& app, const EntityCatalogue& catalogue);
// show
void RegisterListCommands(CLI::App& app, const EntityCatalogue& catalogue);
// evaluate
void RegisterEvaluationCommands(CLI::App& app, const EntityCatalogue& catalogue);
// print
void RegisterPrintCommands(CLI::App& app, const EntityCatalogue& catalogue);

}  // namespace wendrix::cli
