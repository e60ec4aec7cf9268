// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "matrix/BandThresholds.h"

class QSettings;

namespace wendrix {

inline constexpr const char* kSettingsOrganization = "QX0VRN";
inline constexpr const char* kSettingsApplication = "Wendrix";

// The program's settings: an INI file per user (organisation "QX0VRN", application "Wendrix").
// Per user rather than system-wide, because a normal user cannot write the system-wide file and
// the thresholds would never persist.
[[nodiscard]] std::unique_ptr<QSettings> OpenUserSettings();

// The thresholds store of this platform, for callers that keep Qt types out of their own code
// (the command-line tool): on Windows the registry value, elsewhere the user's settings file.
[[nodiscard]] std::unique_ptr<ThresholdStore> OpenUserThresholdStore();

}  // namespace wendrix
