// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ApplyContactByScan.h"

#include <cstdint>
#include <optional>

#include "common/Text.h"
#include "import/Classification.h"
#include "matrix/Bands.h"

namespace wendrix {

ApplyResult ApplyContact(const ContactRecord& contact, const EntityCatalogue& catalogue,
                         ConfirmationMatrix& matrix)
{
    const std::optional<int> modeClass = ModeClassOf(contact.Mode);
    if (!modeClass) {
        return ApplyResult::NoModeClass;
    }
    if (Trim(contact.Prefix).empty()) {
        return ApplyResult::NoPrefix;
    }
    if (!IsUsableCell(contact.Band, *modeClass)) {
        return ApplyResult::NoFoneOn30m;
    }
    for (std::uint16_t number = 1; number <= catalogue.EntityCount(); ++number) {
        if (catalogue.Entity(number).MainPrefix == contact.Prefix) {
            matrix.SetCell(number, BandIndex{contact.Band}, ModeIndex{*modeClass},
                           CellOperation::Set);
            return ApplyResult::Applied;
        }
    }
    return ApplyResult::UnknownPrefix;
}

}  // namespace wendrix
