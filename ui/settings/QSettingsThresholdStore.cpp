// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/QSettingsThresholdStore.h"

#include <span>

#include <QByteArray>
#include <QMetaType>
#include <QVariant>

namespace wendrix {

BandThresholds QSettingsThresholdStore::Read() const
{
    const QVariant value = m_settings.value(QLatin1String(kKey));
    // A text value (hand-edited file) is no stored form, even if its length happens to fit.
    if (value.typeId() != QMetaType::QByteArray) {
        return {};
    }
    const QByteArray bytes = value.toByteArray();
    const auto decoded = DecodeThresholds(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
    return decoded.value_or(BandThresholds{});
}

void QSettingsThresholdStore::Write(const BandThresholds& thresholds)
{
    const auto bytes = EncodeThresholds(thresholds);
    m_settings.setValue(QLatin1String(kKey), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                        static_cast<qsizetype>(bytes.size())));
    m_settings.sync();
}

}  // namespace wendrix
