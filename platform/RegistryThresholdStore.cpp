// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegistryThresholdStore.h"

#include <array>
#include <cstdint>

#include <windows.h>

namespace wendrix {

namespace {
constexpr const char* kKeyPath = "Software\\QX0VRN\\Wendrix";
}  // namespace

BandThresholds RegistryThresholdStore::Read() const
{
    BandThresholds thresholds;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return thresholds;
    }
    // One byte more than needed, so that a longer value reports its true size and is refused.
    std::array<std::uint8_t, kThresholdBytes + 1> buffer{};
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD type = 0;
    const LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, buffer.data(), &size);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS && size == kThresholdBytes) {
        if (const auto decoded = DecodeThresholds(std::span(buffer.data(), size))) {
            thresholds = *decoded;
        }
    }
    return thresholds;
}

void RegistryThresholdStore::Write(const BandThresholds& thresholds)
{
    HKEY key = nullptr;
    char keyClass[] = " ";
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, keyClass, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const auto bytes = EncodeThresholds(thresholds);
    RegSetValueExA(key, nullptr, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

}  // namespace wendrix
