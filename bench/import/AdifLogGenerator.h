// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

// Large ADIF logs that look like the exports of real logging programs: a header with free text
// and application fields, tags mostly upper case but not always, FREQ and BAND in their usual
// forms, about 60 % of the records with a DXCC field, call signs of many countries, the common
// modes, and a few malformed records. The same options always give the same bytes.
namespace wendrix::bench {

// The overall form of a generated file; the unusual ones exist to measure limits.
enum class AdifLogShape {
    Normal,      // header, then one record per line (now and then over two lines)
    OneLine,     // the same records with no line break at all (CR-only line ends, dropped)
    NoEndTag,    // a header and a long body of fields without a single "<EOR>"
    HugeHeader,  // a header of the given size in lines of free text, then the records
};

struct AdifLogOptions
{
    std::size_t Records = 1'000'000;
    std::uint32_t Seed = 1;
    AdifLogShape Shape = AdifLogShape::Normal;
    std::uint64_t HeaderBytes = 0;      // HugeHeader: size of the header text
    std::uint64_t BodyBytes = 0;        // NoEndTag: size of the body
    std::size_t MalformedEvery = 4999;  // one malformed record in so many (0: none)
};

// Produces a log piece by piece, so that files of any size need little memory.
class AdifLogGenerator
{
public:
    explicit AdifLogGenerator(const AdifLogOptions& options);

    // Appends the header to out, at most about 1 MiB per call; true when the "<EOH>" that ends
    // it has been appended.
    bool AppendHeader(std::string& out);
    // Appends the next record (with its "<EOR>" and line end) to out.
    void AppendRecord(std::string& out);

    [[nodiscard]] std::size_t RecordsWritten() const { return m_records; }

private:
    void AppendField(std::string& out, std::string_view name, std::string_view value,
                     std::string_view type = {});
    void AppendCall(std::string& call, std::size_t country);
    void AppendMalformed(std::string& out);
    [[nodiscard]] std::size_t Pick(std::size_t count);
    [[nodiscard]] bool Chance(int percent);

    AdifLogOptions m_options;
    std::mt19937 m_random;
    std::size_t m_records = 0;
    bool m_headerStarted = false;
    std::uint64_t m_headerBytes = 0;
    std::size_t m_headerLines = 0;
    std::string m_lineEnd;
    std::string m_scratch;
};

// The whole log in memory (for in-memory benchmarks and tests of moderate size).
[[nodiscard]] std::string GenerateAdifLog(const AdifLogOptions& options);

// Writes the log to a file; returns its size in bytes, or 0 when it could not be written.
[[nodiscard]] std::uint64_t WriteAdifLog(const AdifLogOptions& options,
                                         const std::filesystem::path& path);

}  // namespace wendrix::bench
