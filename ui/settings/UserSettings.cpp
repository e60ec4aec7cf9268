// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/UserSettings.h"

#include <QSettings>
#include <QString>

#include "ui/settings/QSettingsThresholdStore.h"
#ifdef WENDRIX_REGISTRY_THRESHOLDS
#include "platform/RegistryThresholdStore.h"
#endif

namespace wendrix {

namespace {

class OwningThresholdStore final : public ThresholdStore
{
public:
    OwningThresholdStore()
        : m_settings(OpenUserSettings()),
          m_store(*m_settings)
    {
    }
    [[nodiscard]] BandThresholds Read() const override { return m_store.Read(); }
    void Write(const BandThresholds& thresholds) override { m_store.Write(thresholds); }

private:
    std::unique_ptr<QSettings> m_settings;
    QSettingsThresholdStore m_store;
};

}  // namespace

std::unique_ptr<QSettings> OpenUserSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QLatin1String(kSettingsOrganization),
                                       QLatin1String(kSettingsApplication));
}

std::unique_ptr<ThresholdStore> OpenUserThresholdStore()
{
#ifdef WENDRIX_REGISTRY_THRESHOLDS
    return std::make_unique<RegistryThresholdStore>();
#else
    return std::make_unique<OwningThresholdStore>();
#endif
}

}  // namespace wendrix
