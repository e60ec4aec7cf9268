// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "matrix/BandThresholds.h"

namespace wendrix {

// Windows only: the thresholds as the default value (REG_BINARY, 36 bytes) of the machine-wide
// key HKEY_LOCAL_MACHINE\Software\QX0VRN\Wendrix, where earlier installations keep them.
class RegistryThresholdStore final : public ThresholdStore
{
public:
    [[nodiscard]] BandThresholds Read() const override;     // defaults when missing or malformed
    void Write(const BandThresholds& thresholds) override;  // silent on failure (no rights)
};

}  // namespace wendrix
