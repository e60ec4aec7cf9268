// SPDX-License-Identifier: GPL-3.0-or-later
#include "AdifLogGenerator.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <memory>
#include <string_view>

namespace wendrix::bench {

namespace {

struct Country
{
    std::string_view prefix;  // as call signs of the country begin
    int dxcc;
    std::string_view name;
    int cq;
    int itu;
};

// Public DXCC facts of frequently worked countries; calls are made up from the prefixes.
constexpr std::array<Country, 72> kCountries{{
    {"DL", 230, "Germany", 14, 28},
    {"DK", 230, "Germany", 14, 28},
    {"DJ", 230, "Germany", 14, 28},
    {"DO", 230, "Germany", 14, 28},
    {"G", 223, "England", 14, 27},
    {"M", 223, "England", 14, 27},
    {"F", 227, "France", 14, 27},
    {"I", 248, "Italy", 15, 28},
    {"IK", 248, "Italy", 15, 28},
    {"EA", 281, "Spain", 14, 37},
    {"ON", 209, "Belgium", 14, 27},
    {"PA", 263, "Netherlands", 14, 27},
    {"OK", 503, "Czech Republic", 15, 28},
    {"SP", 269, "Poland", 15, 28},
    {"HA", 239, "Hungary", 15, 28},
    {"OE", 206, "Austria", 15, 28},
    {"HB9", 287, "Switzerland", 14, 28},
    {"SM", 284, "Sweden", 14, 18},
    {"OH", 224, "Finland", 15, 18},
    {"LA", 266, "Norway", 14, 18},
    {"OZ", 221, "Denmark", 14, 18},
    {"UA3", 54, "European Russia", 16, 29},
    {"RA", 54, "European Russia", 16, 29},
    {"UR", 288, "Ukraine", 16, 29},
    {"YO", 275, "Romania", 20, 28},
    {"LZ", 212, "Bulgaria", 20, 28},
    {"YU", 296, "Serbia", 15, 28},
    {"9A", 497, "Croatia", 15, 28},
    {"S5", 499, "Slovenia", 15, 28},
    {"K", 291, "United States", 5, 8},
    {"W", 291, "United States", 4, 7},
    {"N", 291, "United States", 3, 6},
    {"AA", 291, "United States", 5, 8},
    {"VE", 1, "Canada", 5, 9},
    {"VA", 1, "Canada", 4, 4},
    {"JA", 339, "Japan", 25, 45},
    {"JH", 339, "Japan", 25, 45},
    {"VK", 150, "Australia", 30, 59},
    {"ZL", 170, "New Zealand", 32, 60},
    {"PY", 108, "Brazil", 11, 15},
    {"LU", 100, "Argentina", 13, 14},
    {"ZS", 462, "South Africa", 38, 57},
    {"BY", 318, "China", 24, 44},
    {"HL", 137, "Republic of Korea", 25, 44},
    {"VU", 324, "India", 22, 41},
    {"EA8", 29, "Canary Islands", 33, 36},
    {"CT", 272, "Portugal", 14, 37},
    {"EI", 245, "Ireland", 14, 27},
    {"GM", 279, "Scotland", 14, 27},
    {"UA9", 15, "Asiatic Russia", 17, 30},
    {"4X", 336, "Israel", 20, 39},
    {"SV", 236, "Greece", 20, 28},
    {"TA", 390, "Turkey", 20, 39},
    {"ES", 52, "Estonia", 15, 29},
    {"YL", 145, "Latvia", 15, 29},
    {"LY", 146, "Lithuania", 15, 29},
    {"KH6", 110, "Hawaii", 31, 61},
    {"KL7", 6, "Alaska", 1, 1},
    {"XE", 50, "Mexico", 6, 10},
    {"CE", 112, "Chile", 12, 14},
    {"HK", 116, "Colombia", 9, 12},
    {"CX", 144, "Uruguay", 13, 14},
    {"A6", 391, "United Arab Emirates", 21, 39},
    {"5B", 215, "Cyprus", 20, 39},
    {"9H", 257, "Malta", 15, 28},
    {"TF", 242, "Iceland", 40, 17},
    {"3B8", 165, "Mauritius", 39, 53},
    {"CN", 446, "Morocco", 33, 37},
    {"KP4", 202, "Puerto Rico", 8, 11},
    {"9M2", 299, "West Malaysia", 28, 54},
    {"YB", 327, "Indonesia", 28, 51},
    {"DU", 375, "Philippines", 27, 50},
}};

struct BandUse
{
    std::string_view name;
    int lowKHz;
    int widthKHz;
    int weight;
};

// 60 m lies outside the program's band plan on purpose.
constexpr std::array<BandUse, 13> kBands{{
    {"160m", 1810, 80, 2},
    {"80m", 3500, 300, 8},
    {"60m", 5351, 15, 1},
    {"40m", 7000, 200, 18},
    {"30m", 10100, 50, 6},
    {"20m", 14000, 350, 25},
    {"17m", 18068, 100, 7},
    {"15m", 21000, 450, 10},
    {"12m", 24890, 100, 4},
    {"10m", 28000, 1700, 10},
    {"6m", 50000, 500, 5},
    {"2m", 144000, 2000, 3},
    {"70cm", 430000, 10000, 1},
}};

struct ModeUse
{
    std::string_view mode;
    std::string_view submode;
    int weight;
};

constexpr std::array<ModeUse, 15> kModes{{
    {"FT8", "", 35},
    {"SSB", "USB", 12},
    {"SSB", "LSB", 5},
    {"USB", "", 2},
    {"CW", "", 20},
    {"MFSK", "FT4", 6},
    {"RTTY", "", 5},
    {"PSK", "PSK31", 3},
    {"JT65", "", 2},
    {"FM", "", 3},
    {"AM", "", 1},
    {"OLIVIA", "", 1},
    {"JT9", "", 1},
    {"FT4", "", 2},
    {"DIGITALVOICE", "", 1},
}};

constexpr std::array<std::string_view, 16> kNames{
    "Hans", "Peter",       "John",     "Maria", "Jose",  "Takeshi", "Ivan", "Olga",
    "Bob",  "Jean-Pierre", "Giovanni", "Lars",  "Piotr", "Ahmed",   "Chen", "Anna"};

constexpr std::array<std::string_view, 6> kMalformedKinds{"date",   "call", "mode",
                                                          "length", "time", "band"};

void AppendNumber(std::string& out, std::uint64_t value, int width = 0)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const auto length = static_cast<int>(result.ptr - digits);
    for (int i = length; i < width; ++i) {
        out += '0';
    }
    out.append(digits, result.ptr);
}

template <std::size_t N, typename T>
const T& Weighted(const std::array<T, N>& table, std::mt19937& random)
{
    int total = 0;
    for (const auto& row : table) {
        total += row.weight;
    }
    int pick = std::uniform_int_distribution<int>(0, total - 1)(random);
    for (const auto& row : table) {
        if (pick < row.weight) {
            return row;
        }
        pick -= row.weight;
    }
    return table.back();
}

}  // namespace

AdifLogGenerator::AdifLogGenerator(const AdifLogOptions& options)
    : m_options(options),
      m_random(options.Seed),
      m_lineEnd("\r\n")
{
    if (options.Shape == AdifLogShape::OneLine) {
        m_lineEnd = "\r";  // old Macintosh line ends: after dropping CR, one single line
    }
}

std::size_t AdifLogGenerator::Pick(std::size_t count)
{
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
}

bool AdifLogGenerator::Chance(int percent)
{
    return std::uniform_int_distribution<int>(0, 99)(m_random) < percent;
}

bool AdifLogGenerator::AppendHeader(std::string& out)
{
    const std::size_t start = out.size();
    if (!m_headerStarted) {
        m_headerStarted = true;
        out += "ADIF export of the station log of DL1XYZ";
        out += m_lineEnd;
        out += "Generated for measuring; free text may hold <angle> brackets and: colons.";
        out += m_lineEnd;
        AppendField(out, "ADIF_VER", "3.1.4");
        AppendField(out, "PROGRAMID", "SampleLogger");
        AppendField(out, "PROGRAMVERSION", "2.7.1");
        out += m_lineEnd;
        AppendField(out, "CREATED_TIMESTAMP", "20240101 120000");
        AppendField(out, "USERDEF1", "CONTEST_NAME", "S");
        AppendField(out, "APP_SAMPLELOGGER_LAYOUT", "compact");
        out += m_lineEnd;
    }
    if (m_options.Shape == AdifLogShape::HugeHeader) {
        while (m_headerBytes + (out.size() - start) < m_options.HeaderBytes) {
            out += "Remark ";
            AppendNumber(out, ++m_headerLines);
            out += ": this log was merged from several older logs, see the station book. ";
            AppendField(out, "APP_SAMPLELOGGER_NOTE", kNames[Pick(kNames.size())]);
            out += m_lineEnd;
            if (out.size() - start > (std::size_t{1} << 20)) {
                m_headerBytes += out.size() - start;
                return false;
            }
        }
    }
    out += "<EOH>";
    out += m_lineEnd;
    m_headerBytes += out.size() - start;
    return true;
}

void AdifLogGenerator::AppendField(std::string& out, std::string_view name, std::string_view value,
                                   std::string_view type)
{
    out += '<';
    out += name;
    out += ':';
    AppendNumber(out, value.size());
    if (!type.empty()) {
        out += ':';
        out += type;
    }
    out += '>';
    out += value;
}

void AdifLogGenerator::AppendCall(std::string& call, std::size_t countryIndex)
{
    const Country& country = kCountries[countryIndex];
    call.clear();
    call += country.prefix;
    const char lastPrefix = country.prefix.back();
    if (lastPrefix < '0' || lastPrefix > '9') {
        call += static_cast<char>('0' + Pick(10));
    }
    const std::size_t letters = 1 + Pick(3);
    for (std::size_t i = 0; i < letters; ++i) {
        call += static_cast<char>('A' + Pick(26));
    }
    if (Chance(4)) {
        call += Chance(50) ? "/P" : "/QRP";
    }
}

void AdifLogGenerator::AppendRecord(std::string& out)
{
    if (m_options.Shape == AdifLogShape::NoEndTag) {
        // Fields without end: a log cut off before its first "<EOR>", or not ADIF at all.
        AppendField(out, "COMMENT", "no end tag follows in this file");
        AppendField(out, "CALL", "DL1ABC");
        out += m_lineEnd;
        ++m_records;
        return;
    }
    ++m_records;
    if (m_options.MalformedEvery > 0 && m_records % m_options.MalformedEvery == 0) {
        AppendMalformed(out);
        return;
    }
    const bool lower = Chance(5);
    const std::size_t start = out.size();
    const std::size_t countryIndex = Pick(kCountries.size());
    const Country& country = kCountries[countryIndex];
    std::string& call = m_scratch;
    AppendCall(call, countryIndex);
    const bool twoLines = Chance(10);

    AppendField(out, "CALL", call);
    out += ' ';
    std::string date;
    AppendNumber(date, 1990 + Pick(35), 4);
    AppendNumber(date, 1 + Pick(12), 2);
    AppendNumber(date, 1 + Pick(28), 2);
    AppendField(out, "QSO_DATE", date, Chance(20) ? "D" : "");
    out += ' ';
    std::string time;
    AppendNumber(time, Pick(24), 2);
    AppendNumber(time, Pick(60), 2);
    if (Chance(60)) {
        AppendNumber(time, Pick(60), 2);
    }
    AppendField(out, "TIME_ON", time);
    out += ' ';
    if (twoLines) {
        out += m_lineEnd;
    }

    const BandUse& band = Weighted(kBands, m_random);
    const int kHz = band.lowKHz + static_cast<int>(Pick(static_cast<std::size_t>(band.widthKHz)));
    const int form = static_cast<int>(Pick(100));
    std::string freq;
    AppendNumber(freq, static_cast<std::uint64_t>(kHz / 1000));
    freq += form < 3 ? ',' : '.';
    AppendNumber(freq, static_cast<std::uint64_t>(kHz % 1000), 3);
    if (form % 2 == 0) {
        AppendNumber(freq, Pick(100), 2);
    }
    if (form < 75) {
        std::string bandName(band.name);
        if (Chance(70)) {
            for (char& c : bandName) {
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            }
        }
        AppendField(out, "BAND", bandName);
        out += ' ';
    }
    if (form >= 30) {
        AppendField(out, "FREQ", form >= 97 ? std::to_string(kHz) : freq);
        out += ' ';
    }
    const ModeUse& mode = Weighted(kModes, m_random);
    AppendField(out, "MODE", mode.mode);
    out += ' ';
    if (!mode.submode.empty()) {
        AppendField(out, "SUBMODE", mode.submode);
        out += ' ';
    }
    const bool digital = mode.mode != "SSB" && mode.mode != "CW" && mode.mode != "FM" &&
                         mode.mode != "AM" && mode.mode != "USB";
    AppendField(out, "RST_SENT", digital ? "-12" : (mode.mode == "CW" ? "599" : "59"));
    out += ' ';
    AppendField(out, "RST_RCVD", digital ? "-08" : (mode.mode == "CW" ? "579" : "57"));
    out += ' ';
    if (Chance(50)) {
        AppendField(out, "NAME", kNames[Pick(kNames.size())]);
        out += ' ';
    }
    if (Chance(60)) {
        std::string grid;
        grid += static_cast<char>('A' + Pick(18));
        grid += static_cast<char>('A' + Pick(18));
        grid += static_cast<char>('0' + Pick(10));
        grid += static_cast<char>('0' + Pick(10));
        AppendField(out, "GRIDSQUARE", grid);
        out += ' ';
    }
    if (Chance(60)) {
        std::string number;
        AppendNumber(number, static_cast<std::uint64_t>(country.dxcc));
        AppendField(out, "DXCC", number);
        out += ' ';
        AppendField(out, "COUNTRY", country.name);
        out += ' ';
        number.clear();
        AppendNumber(number, static_cast<std::uint64_t>(country.cq));
        AppendField(out, "CQZ", number);
        out += ' ';
    }
    AppendField(out, "QSL_SENT", Chance(50) ? "Y" : "N");
    out += ' ';
    AppendField(out, "QSL_RCVD", Chance(25) ? "Y" : (Chance(50) ? "N" : "R"));
    out += ' ';
    if (Chance(70)) {
        AppendField(out, "LOTW_QSL_RCVD", Chance(40) ? "Y" : "N");
        out += ' ';
    }
    if (Chance(40)) {
        AppendField(out, "EQSL_QSL_RCVD", Chance(50) ? "Y" : "N");
        out += ' ';
    }
    AppendField(out, "STATION_CALLSIGN", "DL1XYZ");
    out += ' ';
    if (Chance(10)) {
        AppendField(out, "COMMENT", "tnx for the nice QSO, 73 and hope to meet you again");
        out += ' ';
    }
    if (Chance(30)) {
        AppendField(out, "APP_SAMPLELOGGER_QSOID", std::to_string(m_records));
        out += ' ';
    }
    out += "<EOR>";
    out += m_lineEnd;
    if (lower) {
        // Some exporters write their tags in lower case.
        bool inTag = false;
        for (std::size_t i = start; i < out.size(); ++i) {
            char& c = out[i];
            if (c == '<') {
                inTag = true;
            } else if (c == '>') {
                inTag = false;
            } else if (inTag && c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c + 32);
            }
        }
    }
}

void AdifLogGenerator::AppendMalformed(std::string& out)
{
    std::string& call = m_scratch;
    AppendCall(call, Pick(kCountries.size()));
    const std::string_view kind = kMalformedKinds[Pick(kMalformedKinds.size())];
    if (kind != "call") {
        AppendField(out, "CALL", call);
    }
    AppendField(out, "QSO_DATE", kind == "date" ? "20151332" : "20150307");
    AppendField(out, "TIME_ON", kind == "time" ? "2460" : "1215");
    if (kind == "length") {
        out += "<NAME:300>far too long a declared length<RST_SENT:X9>599";
    }
    if (kind == "band") {
        AppendField(out, "BAND", "60M");
    } else {
        AppendField(out, "FREQ", "14.025");
    }
    AppendField(out, "MODE", kind == "mode" ? "XYZ" : "CW");
    out += "<EOR>";
    out += m_lineEnd;
}

std::string GenerateAdifLog(const AdifLogOptions& options)
{
    AdifLogGenerator generator(options);
    std::string out;
    out.reserve(options.Records * 260 + options.HeaderBytes + options.BodyBytes + 4096);
    while (!generator.AppendHeader(out)) {
    }
    if (options.Shape == AdifLogShape::NoEndTag) {
        while (out.size() < options.BodyBytes) {
            generator.AppendRecord(out);
        }
        return out;
    }
    for (std::size_t i = 0; i < options.Records; ++i) {
        generator.AppendRecord(out);
    }
    return out;
}

std::uint64_t WriteAdifLog(const AdifLogOptions& options, const std::filesystem::path& path)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.string().c_str(), "wb"),
                                                         &std::fclose);
    if (!file) {
        return 0;
    }
    AdifLogGenerator generator(options);
    std::string block;
    std::uint64_t total = 0;
    bool good = true;
    auto flush = [&] {
        good = good && std::fwrite(block.data(), 1, block.size(), file.get()) == block.size();
        total += block.size();
        block.clear();
    };
    bool headerDone = false;
    while (!headerDone) {
        headerDone = generator.AppendHeader(block);
        flush();
    }
    for (std::size_t i = 0;; ++i) {
        if (options.Shape == AdifLogShape::NoEndTag ? total + block.size() >= options.BodyBytes
                                                    : i >= options.Records) {
            break;
        }
        generator.AppendRecord(block);
        if (block.size() >= (std::size_t{1} << 20)) {
            flush();
        }
    }
    flush();
    good = std::fflush(file.get()) == 0 && good;
    return good ? total : 0;
}

}  // namespace wendrix::bench
