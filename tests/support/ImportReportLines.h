// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/ImportReport.h"

// A report kept in memory, for tests that look at its lines.
namespace wendrix {

class ImportReportLines final : public ImportReport
{
public:
    void BeginReport(std::string_view caption) override
    {
        m_caption = caption;
        m_lines.clear();
    }
    void AddLine(std::string_view line) override { m_lines.emplace_back(line); }
    [[nodiscard]] const std::string& Caption() const { return m_caption; }
    [[nodiscard]] const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::string m_caption;
    std::vector<std::string> m_lines;
};

}  // namespace wendrix
