// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ApplyContact.h"

#include <optional>

#include "import/Classification.h"
#include "matrix/Bands.h"

namespace wendrix {

ContactApplier::ContactApplier(const EntityCatalogue& catalogue, ConfirmationMatrix& matrix)
    : m_entityCount(catalogue.EntityCount()),
      m_matrix(matrix)
{
}

ApplyResult ContactApplier::Apply(const ContactRecord& contact)
{
    const std::optional<int> modeClass = ModeClassOf(contact.Mode);
    if (!modeClass) {
        return ApplyResult::NoModeClass;
    }
    if (contact.Entity == 0) {
        return ApplyResult::NoEntity;
    }
    if (!IsUsableCell(contact.Band, *modeClass)) {
        return ApplyResult::NoFoneOn30m;
    }
    if (contact.Entity > m_entityCount) {
        return ApplyResult::UnknownEntity;
    }
    m_matrix.SetCell(contact.Entity, BandIndex{contact.Band}, ModeIndex{*modeClass},
                     CellOperation::Set);
    return ApplyResult::Applied;
}

}  // namespace wendrix
