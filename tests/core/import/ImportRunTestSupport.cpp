// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportRunTestSupport.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace wendrix::test {

void RecordingProgress::ShowProgress(std::string_view upper, std::string_view lower, int percent)
{
    shown.push_back({std::string(upper), std::string(lower), percent});
    stepsPerShow.push_back(0);
}

bool RecordingProgress::StepProgress(int percent)
{
    steps.push_back(percent);
    if (!stepsPerShow.empty()) {
        ++stepsPerShow.back();
    }
    return stopAtStep == 0 || static_cast<int>(steps.size()) != stopAtStep;
}

std::string AdifRecord(const Fields& fields)
{
    std::string text;
    for (const auto& [name, value] : fields) {
        text += "<" + name + ":" + std::to_string(value.size()) + ">" + value + " ";
    }
    return text + "<EOR>\r\n";
}

std::string Contact(const Fields& overrides)
{
    Fields fields{{"CALL", "DL1ABC"}, {"QSO_DATE", "20230105"}, {"TIME_ON", "1412"},
                  {"FREQ", "14.025"}, {"MODE", "CW"},           {"DXCC", "230"},
                  {"QSL_RCVD", "Y"}};
    for (const auto& [name, value] : overrides) {
        const auto same = std::find_if(fields.begin(), fields.end(),
                                       [&](const auto& field) { return field.first == name; });
        if (same != fields.end()) {
            same->second = value;
        } else {
            fields.emplace_back(name, value);
        }
    }
    std::erase_if(fields, [](const auto& field) { return field.second.empty(); });
    return AdifRecord(fields);
}

std::unique_ptr<AdifByteSource> TestOpener::Open(const std::filesystem::path& file)
{
    return OpenLog(file).Source;
}

OpenedLog TestOpener::OpenLog(const std::filesystem::path& file)
{
    const auto found = m_factories.find(file);
    if (found != m_factories.end()) {
        return {found->second(), FileKind::Regular};
    }
    return m_disk.OpenLog(file);
}

const EntityCatalogue& EmbeddedCatalogue()
{
    static const EntityCatalogue catalogue = BuildEntityCatalogue();
    return catalogue;
}

const CallResolver& EmbeddedResolver()
{
    static const CallResolver resolver(EmbeddedCatalogue());
    return resolver;
}

std::string WithoutNewsLine(std::string_view summary)
{
    std::string text(summary);
    for (const std::string_view start : {"\r\nNeu: ", "\r\nNichts Neues"}) {
        const std::size_t line = text.find(start);
        if (line != std::string::npos) {
            const std::size_t end = text.find("\r\n", line + 2);
            text.erase(line, end == std::string::npos ? std::string::npos : end - line);
        }
    }
    return text;
}

int EntityNumber(std::string_view mainPrefix)
{
    const std::uint16_t number = EmbeddedCatalogue().FindEntityByPrefix(mainPrefix);
    EXPECT_NE(number, 0) << "no entity " << mainPrefix;
    return number;
}

}  // namespace wendrix::test
