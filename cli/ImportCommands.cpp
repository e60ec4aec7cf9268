#include "Commands.h"

namespace wendrix::cli {

void RegisterImportCommands(CLI::App& /*app*/, const EntityCatalogue& /*catalogue*/)
{
    // Commands of this group are not written yet.
}

}  // namespace wendrix::cli
