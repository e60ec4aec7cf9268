// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Every question the import run asks, kept behind one interface so that the run itself never
// touches a window: the desktop answers with message boxes, the command line from its flags and
// the tests from a script.
namespace wendrix {

enum class EntityAnswer {
    Yes,
    No,
    YesToAll,
    NoToAll
};
enum class ReadErrorAnswer {
    Abort,
    Ignore
};

// "Land ermittelt : <prefix> für <call>(<year>)": the entity found from a call sign, offered for
// confirmation. The run hands the call over as valid UTF-8 (a Latin-1 log is converted).
struct EntityQuestion
{
    std::string mainPrefix;
    std::string call;
    int year = 0;

    [[nodiscard]] std::string Text() const;
    friend bool operator==(const EntityQuestion&, const EntityQuestion&) = default;
};

// "Das Log <file> enthält QSOs der Station <station>, nicht von <own>. ...".
struct OtherStationQuestion
{
    std::filesystem::path file;
    std::string stationCall;
    std::string ownCall;
    [[nodiscard]] std::string Text() const;
};

class ImportPrompts
{
public:
    virtual ~ImportPrompts() = default;

    // "eQSL werten?" (Yes/No); asked first, before the file choice.
    [[nodiscard]] virtual bool AskCountEqsl() = 0;
    // The logs to read, in the order to read them; empty means the choice was cancelled.
    [[nodiscard]] virtual std::vector<std::filesystem::path> ChooseLogFiles() = 0;
    // "Lesefehler in Datei <file>\r\nImport abbrechen ?" (OK = Abort, Ignore = drop the line).
    [[nodiscard]] virtual ReadErrorAnswer AskOnReadError(const std::filesystem::path& file) = 0;
    // "Land ermittelt : ..." with Yes, No, No to all and Yes to all.
    [[nodiscard]] virtual EntityAnswer AskTakeEntity(const EntityQuestion& question) = 0;
    // The summary with the question whether to show the report (Yes/No); true = show it.
    [[nodiscard]] virtual bool AskShowReport(std::string_view summary) = 0;
    // The summary alone, in an information box.
    virtual void ShowSummary(std::string_view summary) = 0;
    // A log holds records of another station than the member's own: whether to count that
    // file's records of other stations (Yes/No); asked once per file, at the first such record.
    [[nodiscard]] virtual bool AskCountOtherStation(const OtherStationQuestion& question) = 0;
};

// The texts of the two questions that carry run data; the other questions have fixed texts.
[[nodiscard]] std::string ReadErrorQuestionText(const std::filesystem::path& file);

inline constexpr std::string_view kCountEqslQuestion = "eQSL werten?";

}  // namespace wendrix
