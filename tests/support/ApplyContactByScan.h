// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/EntityCatalogue.h"
#include "import/ApplyContact.h"
#include "import/ContactRecord.h"
#include "matrix/ConfirmationMatrix.h"

// A plain model of ContactApplier to compare it with: no index, a walk over the whole table.
namespace wendrix {

// The mode class of the contact's mode code, the first entity whose MainPrefix equals its
// prefix, and SetCell (set) on that entity's band and class.
ApplyResult ApplyContact(const ContactRecord& contact, const EntityCatalogue& catalogue,
                         ConfirmationMatrix& matrix);

}  // namespace wendrix
