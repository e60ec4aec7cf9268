// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/ImportReport.h"

// A report kept in memory, for tests that look at its lines; the news apart from them.
namespace wendrix {

class ImportReportLines final : public ImportReport
{
public:
    void BeginReport(std::string_view caption) override
    {
        m_caption = caption;
        m_lines.clear();
        m_news.clear();
    }
    void AddLine(std::string_view line) override { m_lines.emplace_back(line); }
    void AddNews(std::span<const std::string> lines) override
    {
        m_news.insert(m_news.end(), lines.begin(), lines.end());
    }
    [[nodiscard]] const std::string& Caption() const { return m_caption; }
    [[nodiscard]] const std::vector<std::string>& Lines() const { return m_lines; }
    [[nodiscard]] const std::vector<std::string>& News() const { return m_news; }

private:
    std::string m_caption;
    std::vector<std::string> m_lines;
    std::vector<std::string> m_news;
};

}  // namespace wendrix
