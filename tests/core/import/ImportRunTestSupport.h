// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gmock/gmock.h>

#include "FaultySource.h"
#include "catalogue/CallResolver.h"
#include "catalogue/EntityCatalogue.h"
#include "import/ImportRun.h"

// Scripted questions, recorded progress and small logs for the import run tests.
namespace wendrix::test {

class MockImportPrompts : public ImportPrompts
{
public:
    MOCK_METHOD(bool, AskCountEqsl, (), (override));
    MOCK_METHOD(std::vector<std::filesystem::path>, ChooseLogFiles, (), (override));
    MOCK_METHOD(ReadErrorAnswer, AskOnReadError, (const std::filesystem::path&), (override));
    MOCK_METHOD(bool, AskCountOtherStation, (const OtherStationQuestion&), (override));
    MOCK_METHOD(EntityAnswer, AskTakeEntity, (const EntityQuestion&), (override));
    MOCK_METHOD(bool, AskShowReport, (std::string_view), (override));
    MOCK_METHOD(void, ShowSummary, (std::string_view), (override));
};

// Keeps every call of the progress window in order.
class RecordingProgress final : public ImportProgress
{
public:
    struct Shown
    {
        std::string upper;
        std::string lower;
        int percent = 0;
    };

    void ShowProgress(std::string_view upper, std::string_view lower, int percent) override;
    [[nodiscard]] bool StepProgress(int percent) override;
    void HideProgress() override { ++hidden; }

    std::vector<Shown> shown;
    std::vector<int> steps;         // every StepProgress value, over all files
    std::vector<int> stepsPerShow;  // number of steps after each ShowProgress
    int hidden = 0;
    // Answers false to the step with this number (counted from 1 over the whole run), 0: never.
    int stopAtStep = 0;
};

// One ADIF field list as a record: "<NAME:len>value ... <EOR>".
using Fields = std::vector<std::pair<std::string, std::string>>;
[[nodiscard]] std::string AdifRecord(const Fields& fields);

// A plausible CW contact on 20 m; fields given here replace or extend the defaults. A field
// given with an empty value is left out.
[[nodiscard]] std::string Contact(const Fields& overrides);

// Opens registered in-memory logs by name and everything else from disk.
class TestOpener final : public LogSourceOpener
{
public:
    using Factory = std::function<std::unique_ptr<AdifByteSource>()>;
    void Register(const std::filesystem::path& name, Factory factory)
    {
        m_factories[name] = std::move(factory);
    }
    [[nodiscard]] std::unique_ptr<AdifByteSource> Open(const std::filesystem::path& file) override;
    [[nodiscard]] OpenedLog OpenLog(const std::filesystem::path& file) override;

private:
    std::map<std::filesystem::path, Factory> m_factories;
    DiskLogSourceOpener m_disk;
};

// The catalogue built from the embedded country list, once for all tests.
[[nodiscard]] const EntityCatalogue& EmbeddedCatalogue();
[[nodiscard]] const CallResolver& EmbeddedResolver();
// Entity number of a main prefix in the embedded catalogue (fails the test when missing).
[[nodiscard]] int EntityNumber(std::string_view mainPrefix);

// The summary without the line of what the run added, which follows its figures.
[[nodiscard]] std::string WithoutNewsLine(std::string_view summary);

// Matches a summary whose figures (and question) are the given text, whatever it added.
MATCHER_P(SummaryIs, figures, "")
{
    return WithoutNewsLine(arg) == std::string(figures);
}

}  // namespace wendrix::test
