#include "ui/settings/UserSettings.h"

#include <QSettings>
#include <QString>

#include "ui/settings/QSettingsThresholdStore.h"

namespace wendrix {

namespace {

class OwningThresholdStore final : public ThresholdStore
{
public:
    OwningThresholdStore() : m_settings(OpenUserSettings()), m_store(*m_settings) {}
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
    return std::make_unique<OwningThresholdStore>();
}

}  // namespace wendrix
