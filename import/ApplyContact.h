// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "catalogue/EntityCatalogue.h"
#include "import/ContactRecord.h"
#include "matrix/ConfirmationMatrix.h"

// Ticking the matrix cell of one confirmed contact.
namespace wendrix {

enum class ApplyResult {
    Applied,        // SetCell ran for the contact's entity, band and mode class
    NoModeClass,    // the mode (AM, SSTV, ...) belongs to no class
    NoPrefix,       // the entity is not known
    NoFoneOn30m,    // 30 m has no Fone cell
    UnknownPrefix,  // no entity carries the prefix (for example "0")
};

// Finds entities by their exact MainPrefix (the first in table order wins) without a walk over
// the whole table for every contact. Holds references; catalogue and matrix must outlive it.
class ContactApplier
{
public:
    ContactApplier(const EntityCatalogue& catalogue, ConfirmationMatrix& matrix);

    ApplyResult Apply(const ContactRecord& contact);

    // The first entity whose MainPrefix equals the text exactly, 0 if none.
    [[nodiscard]] std::uint16_t EntityOf(std::string_view mainPrefix) const;

private:
    struct Hash
    {
        using is_transparent = void;
        [[nodiscard]] std::size_t operator()(std::string_view text) const
        {
            return std::hash<std::string_view>{}(text);
        }
    };

    ConfirmationMatrix& m_matrix;
    std::unordered_map<std::string_view, std::uint16_t, Hash, std::equal_to<>> m_entityByPrefix;
};

}  // namespace wendrix
