// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>

// Where the report lines of an import run go: the report window, the terminal, a list in tests.
// Every line handed over is valid UTF-8.
namespace wendrix {

class ImportReport
{
public:
    virtual ~ImportReport() = default;
    // Empties the report and gives it its caption; called once at the start of every run.
    virtual void BeginReport(std::string_view caption) = 0;
    virtual void AddLine(std::string_view line) = 0;
    // What the run added, after every other line; shown as lines like the others unless a
    // report keeps it apart.
    virtual void AddNews(std::span<const std::string> lines)
    {
        for (const std::string& line : lines) {
            AddLine(line);
        }
    }
};

}  // namespace wendrix
