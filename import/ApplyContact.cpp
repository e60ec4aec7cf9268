// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ApplyContact.h"

#include <optional>

#include "common/Text.h"
#include "import/Classification.h"
#include "matrix/Bands.h"

namespace wendrix {

namespace {

// The checks that come before the entity is looked up; none when the contact may be applied.
std::optional<ApplyResult> Refusal(const ContactRecord& contact, int& modeIndex)
{
    const std::optional<int> modeClass = ModeClassOf(contact.Mode);
    if (!modeClass) {
        return ApplyResult::NoModeClass;
    }
    modeIndex = *modeClass;
    if (Trim(contact.Prefix).empty()) {
        return ApplyResult::NoPrefix;
    }
    if (!IsUsableCell(contact.Band, modeIndex)) {
        return ApplyResult::NoFoneOn30m;
    }
    return std::nullopt;
}

ApplyResult Tick(std::uint16_t entity, const ContactRecord& contact, int modeIndex,
                 ConfirmationMatrix& matrix)
{
    if (entity == 0) {
        return ApplyResult::UnknownPrefix;
    }
    matrix.SetCell(entity, BandIndex{contact.Band}, ModeIndex{modeIndex}, CellOperation::Set);
    return ApplyResult::Applied;
}

}  // namespace

ContactApplier::ContactApplier(const EntityCatalogue& catalogue, ConfirmationMatrix& matrix)
    : m_matrix(matrix)
{
    const auto entities = catalogue.Entities();
    for (std::size_t i = 0; i < entities.size(); ++i) {
        // emplace keeps the first entity of a prefix that occurs twice
        m_entityByPrefix.emplace(entities[i].MainPrefix, static_cast<std::uint16_t>(i + 1));
    }
}

std::uint16_t ContactApplier::EntityOf(std::string_view mainPrefix) const
{
    const auto found = m_entityByPrefix.find(mainPrefix);
    return found == m_entityByPrefix.end() ? 0 : found->second;
}

ApplyResult ContactApplier::Apply(const ContactRecord& contact)
{
    int modeIndex = 0;
    if (const auto refusal = Refusal(contact, modeIndex)) {
        return *refusal;
    }
    return Tick(EntityOf(contact.Prefix), contact, modeIndex, m_matrix);
}

}  // namespace wendrix
