// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>

#include "matrix/BandThresholds.h"

namespace wendrix {

// Keeps the thresholds as one 36-byte value in a QSettings store. The settings object is
// created once by the program (see OpenUserSettings) and outlives the store.
class QSettingsThresholdStore final : public ThresholdStore
{
public:
    // The one key under which the thresholds are kept.
    static constexpr const char* kKey = "BandThresholds";

    explicit QSettingsThresholdStore(QSettings& settings)
        : m_settings(settings)
    {
    }

    // Only a byte-array value of exactly 36 bytes is taken; anything else gives the defaults.
    [[nodiscard]] BandThresholds Read() const override;
    // Writes and syncs; a failure to store is not reported.
    void Write(const BandThresholds& thresholds) override;

private:
    QSettings& m_settings;
};

}  // namespace wendrix
