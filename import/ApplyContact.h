// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "catalogue/EntityCatalogue.h"
#include "import/ContactRecord.h"
#include "matrix/ConfirmationMatrix.h"

// Ticking the matrix cell of one confirmed contact.
namespace wendrix {

enum class ApplyResult {
    Applied,        // SetCell ran for the contact's entity, band and mode class
    NoModeClass,    // the mode (AM, SSTV, ...) belongs to no class
    NoEntity,       // the entity is not known
    NoFoneOn30m,    // 30 m has no Fone cell
    UnknownEntity,  // the number names no entity of the catalogue
};

// Ticks the contact's cell of its entity. Holds references; catalogue and matrix must outlive it.
class ContactApplier
{
public:
    ContactApplier(const EntityCatalogue& catalogue, ConfirmationMatrix& matrix);

    ApplyResult Apply(const ContactRecord& contact);

private:
    int m_entityCount;
    ConfirmationMatrix& m_matrix;
};

}  // namespace wendrix
