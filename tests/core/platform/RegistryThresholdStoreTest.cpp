// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegistryThresholdStore.h"

#include <array>
#include <cstdint>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

namespace wendrix {
namespace {

constexpr const wchar_t* kKey = L"Software\\QX0VRN\\Wendrix";

// The default value of the key as it is in the registry, read without the store.
struct RawValue
{
    bool Found = false;
    DWORD Type = 0;
    std::vector<std::uint8_t> Bytes;
};

RawValue ReadRaw()
{
    RawValue raw;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return raw;
    }
    std::array<std::uint8_t, 256> buffer{};
    DWORD size = static_cast<DWORD>(buffer.size());
    raw.Found =
        RegQueryValueExW(key, nullptr, nullptr, &raw.Type, buffer.data(), &size) == ERROR_SUCCESS;
    raw.Bytes.assign(buffer.begin(), buffer.begin() + (raw.Found ? size : 0));
    RegCloseKey(key);
    return raw;
}

void WriteRaw(DWORD type, const std::vector<std::uint8_t>& bytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, nullptr, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

// Each test starts without the key and leaves none behind.
class RegistryThresholdStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey); }

    RegistryThresholdStore store;
};

TEST_F(RegistryThresholdStoreTest, WritesThe36BytesAndReadsThemBack)
{
    EXPECT_EQ(store.Read(), BandThresholds{}) << "nothing stored: the defaults";

    BandThresholds changed;
    for (int band = 0; band < kBandCount; ++band) {
        changed.minimum[static_cast<std::size_t>(band)] = band == 5 ? 300 : band * 7;
    }
    store.Write(changed);

    const RawValue raw = ReadRaw();
    ASSERT_TRUE(raw.Found);
    EXPECT_EQ(raw.Type, static_cast<DWORD>(REG_BINARY));
    const auto expected = EncodeThresholds(changed);
    EXPECT_EQ(raw.Bytes, std::vector<std::uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(RegistryThresholdStore().Read(), changed) << "a new store reads what was written";
}

TEST_F(RegistryThresholdStoreTest, AValueOfAnotherLengthGivesTheDefaults)
{
    BandThresholds changed;
    changed.minimum[0] = 1;
    const auto bytes = EncodeThresholds(changed);
    std::vector<std::uint8_t> shorter(bytes.begin(), bytes.end() - 1);
    WriteRaw(REG_BINARY, shorter);
    EXPECT_EQ(store.Read(), BandThresholds{});

    std::vector<std::uint8_t> longer(bytes.begin(), bytes.end());
    longer.push_back(0);
    WriteRaw(REG_BINARY, longer);
    EXPECT_EQ(store.Read(), BandThresholds{});

    WriteRaw(REG_BINARY, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    EXPECT_EQ(store.Read(), changed);
}

}  // namespace
}  // namespace wendrix
