// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "AdifReference.h"
#include "FaultySource.h"
#include "catalogue/EntityCatalogue.h"
#include "common/Text.h"
#include "import/adif/AdifFileSource.h"
#include "import/adif/AdifLogReader.h"
#include "import/adif/AdifMemorySource.h"
#include "import/adif/AdifReader.h"
#include "import/Classification.h"
#include "support/TempDir.h"

namespace wendrix {
namespace {

using test::Describe;
using test::FaultySource;
using test::ReadOutcome;

// Collects what the driver reports while reading a log.
class Recorder final : public test::OutcomeCollector
{
public:
    bool BeginLine(std::uint64_t bytesRead) override
    {
        lines.push_back(bytesRead);
        return stopBeforeLine == 0 || lines.size() < stopBeforeLine;
    }
    ReadErrorAction ReadError() override
    {
        ++readErrors;
        return onReadError;
    }
    void BytesSkipped(std::uint64_t offset, std::uint64_t count) override
    {
        skips.emplace_back(offset, count);
    }

    std::vector<std::uint64_t> lines;
    std::size_t stopBeforeLine = 0;  // 1-based line whose BeginLine answers false; 0 = never
    ReadErrorAction onReadError = ReadErrorAction::Ignore;
    int readErrors = 0;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> skips;  // offset and count
};

std::vector<ReadOutcome> ReadLog(std::string_view bytes, std::size_t maxPiece = 0,
                                 std::size_t blockSize = AdifLogReader::kBlockSize,
                                 bool countEqsl = false)
{
    AdifMemorySource source(bytes, maxPiece);
    Recorder recorder;
    AdifLogReader reader(test::ReaderCheckCatalogue(), countEqsl, blockSize);
    EXPECT_EQ(reader.Read(source, recorder), AdifLogEnd::EndOfData);
    return recorder.outcomes;
}

constexpr std::string_view kGoodRecord =
    "<CALL:6>DL1ABC<QSO_DATE:8>20150307<TIME_ON:4>1215<BAND:3>20M<MODE:2>CW<QSL_RCVD:1>Y<EOR>";

// ---------------------------------------------------------------------------------------------
// ReadAdifRecord, one chunk at a time

TEST(ReadAdifRecord, RecordInLowerCaseIsAcceptedWithItsValuesUpperCased)
{
    AdifRecordReader reader(test::ReaderCheckCatalogue(), false);
    std::string chunk = "<call:6>dl1abc<qso_date:8>20150307<time_on:4>1215<band:3>20m<mode:2>cw"
                        "<qsl_rcvd:1>y<eor>";
    ContactRecord contact;
    ASSERT_EQ(test::ReadAdifRecord(reader, chunk, contact), test::ChunkResult::Accepted);
    EXPECT_EQ(contact.Call, "DL1ABC");
    EXPECT_EQ(contact.Band, 4);
    EXPECT_EQ(contact.Mode, 0);
    EXPECT_TRUE(contact.IsConfirmed());
    EXPECT_EQ(contact.Date(), 20150307u);
    EXPECT_EQ(contact.Hour, 12);
    EXPECT_EQ(contact.Minute, 15);
    EXPECT_EQ(contact.Entity, 0);
    EXPECT_FALSE(contact.NoEntityDeclared);
}

TEST(ReadAdifRecord, RejectionReplacesChunkWithReasonAndRecordText)
{
    AdifRecordReader reader(test::ReaderCheckCatalogue(), false);
    std::string chunk = "  <call:6>dl1abc<mode:3>ft4 <eor>";
    ContactRecord contact;
    contact.Call = "UNTOUCHED";
    ASSERT_EQ(test::ReadAdifRecord(reader, chunk, contact), test::ChunkResult::Rejected);
    EXPECT_EQ(chunk, "Mode skipped: <CALL:6>DL1ABC<MODE:3>FT4");
    EXPECT_EQ(contact.Call, "UNTOUCHED");
}

TEST(ReadAdifRecord, OpenRecordWaitsAndLinesJoinWithoutBlanks)
{
    AdifRecordReader reader(test::ReaderCheckCatalogue(), false);
    ContactRecord contact;
    const std::vector<std::string> lines{"<CALL:6>DL1 ", "  ABC<QSO_DATE:8>2015", "0307",
                                         "<TIME_ON:4>1215<BAND:3>20M<MODE:2>CW"};
    for (const auto& line : lines) {
        std::string chunk = line;
        ContactRecord untouched;
        EXPECT_EQ(test::ReadAdifRecord(reader, chunk, untouched), test::ChunkResult::Waiting)
            << line;
        EXPECT_TRUE(chunk.empty());
    }
    std::string last = "<EOR>";
    ASSERT_EQ(test::ReadAdifRecord(reader, last, contact), test::ChunkResult::Accepted);
    EXPECT_EQ(contact.Call, "DL1ABC");
    EXPECT_EQ(contact.Date(), 20150307u);
}

TEST(ReadAdifRecord, ResetForgetsTheOpenRecordOfThePreviousFile)
{
    AdifRecordReader reader(test::ReaderCheckCatalogue(), false);
    ContactRecord contact;
    std::string open = "<CALL:6>W1AW  <MODE:2>CW";
    EXPECT_EQ(test::ReadAdifRecord(reader, open, contact), test::ChunkResult::Waiting);
    reader.Reset();
    std::string rest = "<BAND:3>20M<QSO_DATE:8>20150307<TIME_ON:4>1215<EOR>";
    ASSERT_EQ(test::ReadAdifRecord(reader, rest, contact), test::ChunkResult::Rejected);
    EXPECT_EQ(rest, "Mode skipped: <BAND:3>20M<QSO_DATE:8>20150307<TIME_ON:4>1215");
}

TEST(ReadAdifRecord, EqslCountsOnlyWhenAskedFor)
{
    for (const bool countEqsl : {false, true}) {
        AdifRecordReader reader(test::ReaderCheckCatalogue(), countEqsl);
        std::string chunk = "<CALL:4>W1AW<QSO_DATE:8>20150307<TIME_ON:4>1215<BAND:3>20M"
                            "<MODE:3>SSB<EQSL_QSL_RCVD:1>Y<EOR>";
        ContactRecord contact;
        ASSERT_NE(test::ReadAdifRecord(reader, chunk, contact), test::ChunkResult::Waiting);
        EXPECT_EQ(contact.IsConfirmed(), countEqsl);
    }
}

// ---------------------------------------------------------------------------------------------
// Whole logs: the record rules, one case per row

struct Expected
{
    bool accepted;
    std::string callOrReport;  // the call when accepted, the report line when rejected
    int band = -1;             // checked when not -1
    std::string prefix = "";
    bool confirmed = true;
};

struct LogCase
{
    const char* name;
    std::string log;
    std::vector<Expected> expected;
};

void PrintTo(const LogCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string Rec(std::string_view fields)
{
    return std::string(fields) +
           "<QSO_DATE:8>20150307<TIME_ON:4>1215<BAND:3>20M<MODE:2>CW<QSL_RCVD:1>Y<EOR>";
}

// What the log said of the entity, as the cases spell it: "0" for a declared DXCC 0, "" for
// none, else the entity's main prefix.
std::string LoggedPrefix(const ContactRecord& contact)
{
    if (contact.NoEntityDeclared) {
        return "0";
    }
    return contact.Entity == 0 ? std::string()
                               : test::ReaderCheckCatalogue().Entity(contact.Entity).MainPrefix;
}

class LogRules : public ::testing::TestWithParam<LogCase>
{
};

TEST_P(LogRules, YieldsTheExpectedRecords)
{
    const LogCase& c = GetParam();
    const std::vector<ReadOutcome> outcomes = ReadLog(c.log);
    ASSERT_EQ(outcomes.size(), c.expected.size()) << Describe(outcomes);
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        const Expected& want = c.expected[i];
        const ReadOutcome& got = outcomes[i];
        ASSERT_EQ(got.accepted, want.accepted) << Describe(got);
        if (want.accepted) {
            EXPECT_EQ(got.contact.Call, want.callOrReport);
            EXPECT_EQ(LoggedPrefix(got.contact), want.prefix);
            EXPECT_EQ(got.contact.IsConfirmed(), want.confirmed);
            if (want.band >= 0) {
                EXPECT_EQ(got.contact.Band, want.band);
            }
        } else {
            EXPECT_EQ(got.report, want.callOrReport);
        }
    }
    // The plain model agrees on every row.
    EXPECT_EQ(Describe(outcomes),
              Describe(test::ReferenceReadLog(c.log, test::ReaderCheckCatalogue(), false)));
}

const std::string kTail = "<QSO_DATE:8>20150307<TIME_ON:4>1215<BAND:3>20M<MODE:2>CW<QSL_RCVD:1>Y";

INSTANTIATE_TEST_SUITE_P(
    Cases, LogRules,
    ::testing::Values(
        LogCase{"HeaderWithApplicationFieldsProducesNothing",
                "Log of DL1XYZ <ADIF_VER:5>3.1.0 <PROGRAMID:4>TEST <APP_X_Y:3>abc\n<EOH>\n" +
                    Rec("<CALL:6>DL1ABC") + "\n" + Rec("<CALL:4>W1AW") + "\n",
                {{true, "DL1ABC"}, {true, "W1AW"}}},
        LogCase{"DeclaredLengthClippedBeforeNextTag", Rec("<CALL:10>DL1ABC"), {{true, "DL1ABC"}}},
        LogCase{"ShortDeclaredLengthKeepsFirstCharacters", Rec("<CALL:3>DL1ABC"), {{true, "DL1"}}},
        LogCase{"LengthAbove255SkipsTheField",
                Rec("<CALL:300>DL1ABC"),
                {{false, "Call missing: <CALL:300>DL1ABC" + kTail}}},
        LogCase{"LengthNotANumberSkipsTheField",
                Rec("<CALL:X6>DL1ABC<CALL:-1>W1AW"),
                {{false, "Call missing: <CALL:X6>DL1ABC<CALL:-1>W1AW" + kTail}}},
        LogCase{"TypeTextIsIgnored", Rec("<CALL:6:S>DL1ABC"), {{true, "DL1ABC"}}},
        LogCase{"LastOccurrenceWins", Rec("<CALL:6>DL1ABC<CALL:4>W1AW"), {{true, "W1AW"}}},
        LogCase{"BlankInTagNameHidesTheField",
                Rec("<CALL :6>DL1ABC"),
                {{false, "Call missing: <CALL :6>DL1ABC" + kTail}}},
        LogCase{"ValueRunningPastRecordEndLeavesFieldUnset",
                kTail + "<CALL:9>DL1ABC<EOR>",
                {{false, "Call missing: " + kTail + "<CALL:9>DL1ABC"}}},
        LogCase{"BlanksBeforeEndTagAreNotPartOfTheValue",
                kTail + "<CALL:7>DL1ABC  <EOR>",
                {{false, "Call missing: " + kTail + "<CALL:7>DL1ABC"}}},
        LogCase{"TwoRecordsOnOneLine",
                Rec("<CALL:6>DL1ABC") + "  " + Rec("<CALL:4>W1AW"),
                {{true, "DL1ABC"}, {true, "W1AW"}}},
        LogCase{"RecordOverThreeLinesJoinsWithoutBlanks",
                "<CALL:6>DL1 \n   ABC" + kTail.substr(0, 20) + "\n" + kTail.substr(20) + "<EOR>\n",
                {{true, "DL1ABC"}}},
        LogCase{
            "EndTagSplitOverTwoLines", "<CALL:4>W1AW" + kTail + "<EO\n  R>\n", {{true, "W1AW"}}},
        LogCase{"RecordWithoutFinalEndTagIsLost",
                Rec("<CALL:4>W1AW") + "\n<CALL:6>DL1ABC" + kTail + "\n",
                {{true, "W1AW"}}},
        LogCase{"DxccZeroGivesPrefixZero", Rec("<CALL:4>W1AW<DXCC:1>0"), {{true, "W1AW", 4, "0"}}},
        LogCase{
            "DxccDoubleZeroGivesNoPrefix", Rec("<CALL:4>W1AW<DXCC:2>00"), {{true, "W1AW", 4, ""}}},
        LogCase{"DxccOfKnownEntityGivesItsMainPrefix",
                Rec("<CALL:6>DL1ABC<DXCC:3>230"),
                {{true, "DL1ABC", 4, "DL"}}},
        LogCase{"Dxcc999IsNoEntity", Rec("<CALL:4>W1AW<DXCC:3>999"), {{true, "W1AW", 4, ""}}},
        LogCase{"Dxcc1000AndLettersAreIgnored",
                Rec("<CALL:4>W1AW<DXCC:4>1000") + Rec("<CALL:4>W1AW<DXCC:2>DL"),
                {{true, "W1AW", 4, ""}, {true, "W1AW", 4, ""}}},
        LogCase{"DxccWithoutEntityGivesNoPrefix",
                Rec("<CALL:4>W1AW<DXCC:3>291"),
                {{true, "W1AW", 4, ""}}},
        LogCase{"CallCutAfterFifteenCharacters",
                Rec("<CALL:16>ABCDEFGHIJKLMNOP"),
                {{true, "ABCDEFGHIJKLMNO"}}},
        LogCase{"EmptyRecordsBetweenEndTagsAreNotReported",
                "<EOR><EOR>\n   <EOR>\n" + Rec("<CALL:4>W1AW"),
                {{true, "W1AW"}}},
        LogCase{"HeaderTagAfterRecordsOnTheSameLineDiscardsThem",
                Rec("<CALL:4>W1AW") + Rec("<CALL:6>DL1ABC") + "<EOH>" + Rec("<CALL:5>JA1AA"),
                {{true, "JA1AA"}}},
        LogCase{"UnconfirmedContactIsAcceptedWithoutFlag",
                "<CALL:4>W1AW<QSO_DATE:8>20150307<TIME_ON:4>1215<FREQ:6>14.074<MODE:3>FT8"
                "<QSL_RCVD:1>N<EOR>",
                {{true, "W1AW", 4, "", false}}},
        LogCase{"ChecksRunInOrderModeFirst",
                "<CALL:4>W1AW<QSO_DATE:8>19000307<TIME_ON:4>9999<MODE:3>FT4<EOR>",
                {{false, "Mode skipped: <CALL:4>W1AW<QSO_DATE:8>19000307<TIME_ON:4>9999"
                         "<MODE:3>FT4"}}},
        LogCase{"ChecksRunInOrderBandBeforeDate",
                "<QSO_DATE:8>19000307<MODE:2>CW<BAND:3>60M<EOR>",
                {{false, "Unknown frequency/band: <QSO_DATE:8>19000307<MODE:2>CW<BAND:3>60M"}}},
        LogCase{"CtrlZIsAnOrdinaryCharacter",
                "<CALL:6>W1\x1a"
                "AW " +
                    kTail + "<EOR>\n\x1a",
                {{true, "W1\x1a"
                        "AW"}}}),
    [](const ::testing::TestParamInfo<LogCase>& testInfo) {
        return std::string(testInfo.param.name);
    });

// ---------------------------------------------------------------------------------------------
// The driver: line ends, pieces, long lines, limits, progress and read errors

std::string SampleLog(std::string_view lineEnd)
{
    std::string log = "Sample log<ADIF_VER:5>3.1.0<PROGRAMID:7>Testing";
    log += lineEnd;
    log += "<EOH>";
    log += lineEnd;
    const char* calls[] = {"DL1ABC", "W1AW", "JA1XYZ", "DK0XX", "VK2ABC"};
    for (int i = 0; i < 12; ++i) {
        const std::string call = calls[i % 5];
        log += "<call:" + std::to_string(call.size()) + ">" + call;
        log += i % 3 == 0 ? "<FREQ:6>14.074" : "<BAND:3>40m";
        log += lineEnd;
        log += "<QSO_DATE:8>2015030" + std::to_string(i % 9 + 1) + "<TIME_ON:4>1215";
        log += i % 4 == 0 ? "<MODE:3>FT4" : "<MODE:3>SSB";
        log += i % 2 == 0 ? "<DXCC:3>230" : "<DXCC:3>339";
        log += "<LOTW_QSL_RCVD:1>Y<eor>";
        log += i % 5 == 0 ? "   " : "";
        log += lineEnd;
    }
    log += "<CALL:4>W1AW<EO";  // an end tag cut by the end of the file
    return log;
}

TEST(AdifLog, CrLfAndLfGiveTheSameRecords)
{
    const auto withLf = ReadLog(SampleLog("\n"));
    const auto withCrLf = ReadLog(SampleLog("\r\n"));
    EXPECT_EQ(withLf.size(), 12u);
    EXPECT_EQ(Describe(withLf), Describe(withCrLf));
    // A stray CR anywhere, even inside a tag, is dropped.
    EXPECT_EQ(Describe(ReadLog("<CALL:4>W1\rAW" + kTail + "<E\rOR>")),
              Describe(ReadLog(Rec("<CALL:4>W1AW"))));
}

TEST(AdifLog, EveryPieceSizeAndBlockSizeGivesTheSameRecords)
{
    const std::string log = SampleLog("\r\n");
    const std::string whole = Describe(ReadLog(log));
    ASSERT_EQ(whole, Describe(test::ReferenceReadLog(log, test::ReaderCheckCatalogue(), false)));
    for (std::size_t piece = 1; piece <= 97; ++piece) {
        ASSERT_EQ(Describe(ReadLog(log, piece)), whole) << "pieces of " << piece;
    }
    // Small blocks make most lines "long" ones that are measured first and fed in pieces.
    for (std::size_t block : {1u, 2u, 3u, 5u, 8u, 13u, 64u, 200u}) {
        for (std::size_t piece : {0u, 1u, 7u}) {
            ASSERT_EQ(Describe(ReadLog(log, piece, block)), whole)
                << "block " << block << ", pieces of " << piece;
        }
    }
}

// Builds random logs from fragments that stress the joins: cut tags, blanks and CRs at the
// seams, several records or headers on one line.
std::string RandomLog(std::mt19937& random)
{
    static const std::vector<std::string> fragments{"<EOR>",
                                                    "<eor>",
                                                    "<EOH>",
                                                    "<eoh>",
                                                    "<EO",
                                                    "R>",
                                                    "H>",
                                                    "<",
                                                    "E",
                                                    "O",
                                                    ">",
                                                    "\n",
                                                    "\n",
                                                    "<EO\nR>",
                                                    "<EO\nH>",
                                                    "<E\r\n  OR>",
                                                    "<EOR\n>",
                                                    "<\nEOH>",
                                                    "X<EO\n",
                                                    "\nH>X",
                                                    "\nR>X",
                                                    "\r\n",
                                                    "\r",
                                                    " ",
                                                    "\t",
                                                    "   ",
                                                    "\x1a",
                                                    "<CALL:6>DL1ABC",
                                                    "<call:4>W1AW",
                                                    "<CALL:10>JA1XYZ",
                                                    "<CALL:3>DL1ABC",
                                                    "<CALL:300>X",
                                                    "<CALL:6>DL1",
                                                    "ABC",
                                                    "<QSO_DATE:8>20150307",
                                                    "<qso_date:8:d>19991231",
                                                    "<TIME_ON:4>1215",
                                                    "<TIME_ON:6>235959",
                                                    "<BAND:3>20M",
                                                    "<band:3>40m",
                                                    "<FREQ:6>14.074",
                                                    "<FREQ:4>3550",
                                                    "<MODE:2>CW",
                                                    "<MODE:3>SSB",
                                                    "<mode:3>ft8",
                                                    "<MODE:3>FT4",
                                                    "<QSL_RCVD:1>Y",
                                                    "<LOTW_QSL_RCVD:1>1",
                                                    "<EQSL_QSL_RCVD:1>Y",
                                                    "<DXCC:3>230",
                                                    "<DXCC:1>0",
                                                    "<DXCC:2>00",
                                                    "<APP_X_Y:5>hello",
                                                    "free text ",
                                                    "<YEAR:4>2015",
                                                    "<MONTH:1>3",
                                                    "<DAY:1>7",
                                                    "<CALL:6>DL1AB ",
                                                    std::string(kGoodRecord)};
    std::string log;
    const int count = std::uniform_int_distribution<int>(0, 60)(random);
    if (count % 3 == 0) {
        // Dense: few, short fragments, mostly tags and their halves.
        static const std::vector<std::string> dense{
            "<EOR>", "<EOH>", "<EO", "<E", "<", "R>", "H>",
            "OR>",   "OH>",   ">",   "\n", " ", "A",  std::string(kGoodRecord)};
        for (int i = 0; i < count / 3; ++i) {
            log += dense[std::uniform_int_distribution<std::size_t>(0, dense.size() - 1)(random)];
        }
        return log;
    }
    for (int i = 0; i < count; ++i) {
        if (std::uniform_int_distribution<int>(0, 20)(random) == 0) {
            log += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        } else {
            log += fragments[std::uniform_int_distribution<std::size_t>(0, fragments.size() -
                                                                               1)(random)];
        }
    }
    return log;
}

TEST(AdifLog, AgreesWithThePlainModelOnRandomLogs)
{
    std::mt19937 random(20150307);
    std::size_t accepted = 0;
    std::size_t rejected = 0;
    for (int round = 0; round < 6000; ++round) {
        const std::string log = RandomLog(random);
        const auto reference =
            test::ReferenceReadLog(log, test::ReaderCheckCatalogue(), round % 2 == 0);
        for (const auto& outcome : reference) {
            (outcome.accepted ? accepted : rejected) += 1;
        }
        const std::string expected = Describe(reference);
        ASSERT_EQ(Describe(ReadLog(log, 0, AdifLogReader::kBlockSize, round % 2 == 0)), expected)
            << "log: " << log;
        const std::size_t piece = static_cast<std::size_t>(round % 9 + 1);
        const std::size_t block = static_cast<std::size_t>(round % 23 + 1);
        ASSERT_EQ(Describe(ReadLog(log, piece, block, round % 2 == 0)), expected)
            << "log: " << log << "\npieces " << piece << ", block " << block;
    }
    // The fragments are meant to give plenty of both kinds of record.
    EXPECT_GT(accepted, 300u);
    EXPECT_GT(rejected, 500u);
}

TEST(ReadAdifRecord, HeaderTagJoinedAcrossChunksDropsTheRecordWaitingBeforeIt)
{
    // The first chunk holds two records; the second waits in PendingText, followed by the start
    // of a header tag that the next chunk completes: the header deletion takes the waiting
    // record with it.
    AdifRecordReader reader(test::ReaderCheckCatalogue(), false);
    ContactRecord contact;
    std::string first = Rec("<CALL:4>W1AW") + Rec("<CALL:6>DL1ABC") + "<EO";
    ASSERT_NE(test::ReadAdifRecord(reader, first, contact), test::ChunkResult::Waiting);
    EXPECT_EQ(contact.Call, "W1AW");
    std::string second = "H>" + Rec("<CALL:5>JA1AA");
    ASSERT_EQ(test::ReadAdifRecord(reader, second, contact), test::ChunkResult::Accepted);
    EXPECT_EQ(contact.Call, "JA1AA");
    std::string third;
    EXPECT_EQ(test::ReadAdifRecord(reader, third, contact), test::ChunkResult::Waiting);
}

TEST(ReadAdifRecord, AgreesWithThePlainModelOnRandomChunks)
{
    // Chunks as any caller may cut them, not only as lines are cut: several end tags in one
    // chunk, header tags behind records, tags split between chunks.
    std::mt19937 random(7);
    std::size_t found = 0;
    for (int round = 0; round < 6000; ++round) {
        std::vector<std::string> chunks;
        const int count = std::uniform_int_distribution<int>(1, 12)(random);
        for (int i = 0; i < count; ++i) {
            std::string chunk = RandomLog(random);
            chunk.erase(std::remove(chunk.begin(), chunk.end(), '\n'), chunk.end());
            chunks.push_back(chunk);
        }
        const bool countEqsl = round % 2 == 1;
        const auto expected =
            test::ReferenceReadChunks(chunks, test::ReaderCheckCatalogue(), countEqsl);
        found += expected.size();
        std::vector<ReadOutcome> outcomes;
        AdifRecordReader reader(test::ReaderCheckCatalogue(), countEqsl);
        for (std::string chunk : chunks) {
            ReadOutcome outcome;
            const test::ChunkResult read = test::ReadAdifRecord(reader, chunk, outcome.contact);
            if (read != test::ChunkResult::Waiting) {
                outcome.accepted = read == test::ChunkResult::Accepted;
                if (!outcome.accepted) {
                    outcome.report = chunk;
                }
                outcomes.push_back(outcome);
            }
        }
        ASSERT_EQ(Describe(outcomes), Describe(expected)) << ::testing::PrintToString(chunks);
    }
    EXPECT_GT(found, 3000u);
}

TEST(AdifLog, LineLongerThanTheBlockReadsLikeAShortOne)
{
    // Many records on one line that is much longer than the block, and a header tag far out in
    // it, which makes every record before it count as header.
    std::string line;
    for (int i = 0; i < 2000; ++i) {
        line += Rec("<CALL:6>DL" + std::to_string(1000 + i));
    }
    const std::string withHeader = line + "<EOH>" + Rec("<CALL:4>W1AW") + Rec("<CALL:4>K1AB");
    for (const std::string& log : {line, withHeader}) {
        const std::string expected =
            Describe(test::ReferenceReadLog(log, test::ReaderCheckCatalogue(), false));
        EXPECT_EQ(Describe(ReadLog(log, 0, 4096)), expected);
        EXPECT_EQ(Describe(ReadLog(log, 1000, 777)), expected);
    }
    EXPECT_EQ(ReadLog(line, 0, 4096).size(), 2000u);
    EXPECT_EQ(ReadLog(withHeader, 0, 4096).size(), 2u);
}

TEST(AdifLog, RecordBeyondThePendingLimitIsReportedWithItsStart)
{
    std::string log = "<CALL:4>W1AW<COMMENT:5>";
    log += std::string(kMaxPendingText + 10, 'x');
    log += "<EOR>\n" + std::string(kGoodRecord) + "\n";
    const auto outcomes = ReadLog(log);
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_FALSE(outcomes[0].accepted);
    EXPECT_EQ(outcomes[0].report,
              std::string(kRecordTooLongReason) + AsciiUpper(log.substr(0, kReportTextLimit)));
    EXPECT_TRUE(outcomes[1].accepted) << "the next record is read as usual";
}

TEST(AdifLog, OversizedHeaderCostsNothing)
{
    std::string log;
    for (int i = 0; i < 40000; ++i) {
        log += "Header line " + std::to_string(i) + " <APP_X_LINE:4>text\r\n";
    }
    ASSERT_GT(log.size(), kMaxPendingText);
    log += "<EOH>\r\n" + std::string(kGoodRecord) + "\r\n";
    const auto outcomes = ReadLog(log);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(outcomes[0].accepted);
}

TEST(AdifLog, ReportLineKeepsAtMostTheLimitOfRecordText)
{
    std::string log = "<MODE:3>FT4<COMMENT:200>" + std::string(200, 'c');
    for (int i = 0; i < 10; ++i) {
        log += "<COMMENT:200>" + std::string(200, 'c');
    }
    log += "<EOR>";
    const auto outcomes = ReadLog(log);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].report,
              std::string(kModeSkippedReason) + AsciiUpper(log.substr(0, kReportTextLimit)));
}

TEST(AdifLog, BinaryJunkGivesReportLinesAndLosesNoGoodRecord)
{
    std::mt19937 random(42);
    std::string junk;
    for (int i = 0; i < 200000; ++i) {
        junk += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    }
    const std::string log = junk + "<EOR>\n" + std::string(kGoodRecord) + "\n" + junk;
    const auto outcomes = ReadLog(log);
    ASSERT_FALSE(outcomes.empty());
    const auto good = std::find_if(outcomes.begin(), outcomes.end(),
                                   [](const ReadOutcome& o) { return o.accepted; });
    ASSERT_NE(good, outcomes.end());
    EXPECT_EQ(good->contact.Call, "DL1ABC");
    for (const auto& outcome : outcomes) {
        if (!outcome.accepted) {
            EXPECT_LE(outcome.report.size(), 24 + kReportTextLimit);
        }
    }
    EXPECT_EQ(Describe(outcomes),
              Describe(test::ReferenceReadLog(log, test::ReaderCheckCatalogue(), false)));
}

TEST(AdifLog, BytesReadCountEachLineWithTwoForItsEnd)
{
    const std::string log = "ab\r\n\ncd\r\nlast";  // CR is not counted, the end always as 2
    AdifMemorySource source(log);
    Recorder recorder;
    AdifLogReader reader(test::ReaderCheckCatalogue(), false);
    ASSERT_EQ(reader.Read(source, recorder), AdifLogEnd::EndOfData);
    EXPECT_EQ(recorder.lines, (std::vector<std::uint64_t>{4, 6, 10, 16}));
}

TEST(AdifLog, StoppingBeforeALineLeavesThatLineUnread)
{
    const std::string log = Rec("<CALL:4>W1AW") + "\n" + Rec("<CALL:6>DL1ABC") + "\n";
    for (std::size_t block : {AdifLogReader::kBlockSize, std::size_t{16}}) {
        AdifMemorySource source(log);
        Recorder recorder;
        recorder.stopBeforeLine = 2;
        AdifLogReader reader(test::ReaderCheckCatalogue(), false, block);
        EXPECT_EQ(reader.Read(source, recorder), AdifLogEnd::Stopped);
        ASSERT_EQ(recorder.outcomes.size(), 1u);
        EXPECT_EQ(recorder.outcomes[0].contact.Call, "W1AW");
    }
}

// ---------------------------------------------------------------------------------------------
// Read errors: Ignore drops the line with the bad spot and nothing else that could be read

// Four lines of one record each.
std::vector<std::string> FourLines()
{
    return {Rec("<CALL:4>W1AW") + "\n", Rec("<CALL:6>DL1ABC") + "\n", Rec("<CALL:5>JA1AA") + "\n",
            Rec("<CALL:5>VK2AB") + "\n"};
}

std::size_t LineStart(std::size_t line)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < line; ++i) {
        start += FourLines()[i].size();
    }
    return start;
}

struct ReadErrorCase
{
    const char* name;
    std::size_t badFrom;             // offset of the bad spot in the log
    std::size_t badLength;           // 0: a passing fault
    std::size_t unit;                // the source's failure unit
    std::vector<std::string> calls;  // the records read, in order
    std::uint64_t skipped;           // bytes reported as passed over, from badFrom on
};

void PrintTo(const ReadErrorCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReadErrorIgnored : public ::testing::TestWithParam<ReadErrorCase>
{
};

TEST_P(ReadErrorIgnored, DropsTheLineWithTheBadSpotAndReportsWhatCouldNotBeRead)
{
    const ReadErrorCase& c = GetParam();
    std::string log;
    for (const std::string& line : FourLines()) {
        log += line;
    }
    // Whole lines in the buffer, and lines longer than the block, which are measured first.
    for (const std::size_t block : {AdifLogReader::kBlockSize, std::size_t{64}, std::size_t{16}}) {
        SCOPED_TRACE(block);
        FaultySource source(log, {c.badFrom, c.badLength}, c.unit);
        Recorder recorder;
        AdifLogReader reader(test::ReaderCheckCatalogue(), false, block);
        EXPECT_EQ(reader.Read(source, recorder), AdifLogEnd::EndOfData);
        EXPECT_EQ(recorder.readErrors, 1);
        std::vector<std::string> calls;
        for (const ReadOutcome& outcome : recorder.outcomes) {
            calls.push_back(outcome.accepted ? outcome.contact.Call : outcome.report);
        }
        EXPECT_EQ(calls, c.calls);
        using Skip = std::pair<std::uint64_t, std::uint64_t>;
        const std::vector<Skip> expectedSkips =
            c.skipped == 0 ? std::vector<Skip>{} : std::vector<Skip>{{c.badFrom, c.skipped}};
        EXPECT_EQ(recorder.skips, expectedSkips);
    }
}

// The first multiple of unit at or above offset.
std::size_t UnitAtOrAbove(std::size_t offset, std::size_t unit)
{
    return (offset + unit - 1) / unit * unit;
}

INSTANTIATE_TEST_SUITE_P(
    AdifLog, ReadErrorIgnored,
    testing::Values(
        ReadErrorCase{
            "PassingFaultInsideALine", LineStart(1) + 10, 0, 1, {"W1AW", "JA1AA", "VK2AB"}, 0},
        ReadErrorCase{
            "PassingFaultAtALineStart", LineStart(1), 0, 1, {"W1AW", "JA1AA", "VK2AB"}, 0},
        ReadErrorCase{
            "PassingFaultOnTheLineFeed", LineStart(2) - 1, 0, 1, {"W1AW", "JA1AA", "VK2AB"}, 0},
        ReadErrorCase{"PassingFaultOnTheFirstByte", 0, 0, 1, {"DL1ABC", "JA1AA", "VK2AB"}, 0},
        ReadErrorCase{
            "LastingSpotInsideALine", LineStart(1) + 10, 7, 1, {"W1AW", "JA1AA", "VK2AB"}, 7},
        ReadErrorCase{
            "LastingSpotOfOneByte", LineStart(1) + 10, 1, 1, {"W1AW", "JA1AA", "VK2AB"}, 1},
        ReadErrorCase{"LastingSpotOverALineFeedCostsTheNextLineToo",
                      LineStart(1) + 10,
                      LineStart(2) - LineStart(1),
                      1,
                      {"W1AW", "VK2AB"},
                      LineStart(2) - LineStart(1)},
        ReadErrorCase{"LastingSpotOnTheFirstBytes", 0, 3, 1, {"DL1ABC", "JA1AA", "VK2AB"}, 3},
        ReadErrorCase{"LastingSpotToTheEnd",
                      LineStart(3) + 5,
                      LineStart(4) - LineStart(3) - 5,
                      1,
                      {"W1AW", "DL1ABC", "JA1AA"},
                      LineStart(4) - LineStart(3) - 5},
        ReadErrorCase{"LastingSpotSkipsUpToTheNextReadableUnit",
                      LineStart(1) + 10,
                      7,
                      16,
                      {"W1AW", "JA1AA", "VK2AB"},
                      UnitAtOrAbove(LineStart(1) + 17, 16) - (LineStart(1) + 10)}),
    [](const testing::TestParamInfo<ReadErrorCase>& testInfo) {
        return std::string(testInfo.param.name);
    });

TEST(AdifLog, SourceThatFailsEverywhereCostsFewReads)
{
    // Behind the first line nothing can be read: looking for a readable spot one byte at a time
    // would take a million reads.
    const std::string first = Rec("<CALL:4>W1AW") + "\n";
    const std::string log = first + std::string(1'000'000, 'x');
    FaultySource source(log, {first.size(), log.size() - first.size()});
    Recorder recorder;
    AdifLogReader reader(test::ReaderCheckCatalogue(), false);
    EXPECT_EQ(reader.Read(source, recorder), AdifLogEnd::EndOfData);
    ASSERT_EQ(recorder.outcomes.size(), 1u);
    EXPECT_EQ(recorder.outcomes[0].contact.Call, "W1AW");
    using Skip = std::pair<std::uint64_t, std::uint64_t>;
    EXPECT_EQ(recorder.skips, (std::vector<Skip>{{first.size(), log.size() - first.size()}}));
    EXPECT_LT(source.FailedReads(), 64);
}

TEST(AdifLog, ReadErrorAbortEndsTheLogAndKeepsWhatCameBefore)
{
    const std::string log = Rec("<CALL:4>W1AW") + "\n" + Rec("<CALL:6>DL1ABC") + "\n";
    FaultySource source(log, {log.size() - 5, 0});
    Recorder recorder;
    recorder.onReadError = ReadErrorAction::Abort;
    AdifLogReader reader(test::ReaderCheckCatalogue(), false, 32);
    EXPECT_EQ(reader.Read(source, recorder), AdifLogEnd::Aborted);
    ASSERT_EQ(recorder.outcomes.size(), 1u);
    EXPECT_EQ(recorder.outcomes[0].contact.Call, "W1AW");
    EXPECT_TRUE(recorder.skips.empty());
}

TEST(AdifLog, FileOnDiskIsReadAndItsOpenRecordDoesNotReachTheNextFile)
{
    test::TempDir dir;
    const auto first =
        dir.Write("first.adi", "<EOH>\r\n" + Rec("<CALL:4>W1AW") + "\r\n<CALL:6>DL1ABC");
    const auto second = dir.Write("second.adi", kTail + "<EOR>\r\n");
    AdifLogReader reader(test::ReaderCheckCatalogue(), false);
    Recorder recorder;
    for (const auto& path : {first, second}) {
        auto source = AdifFileSource::Open(path);
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(reader.Read(*source, recorder), AdifLogEnd::EndOfData);
    }
    ASSERT_EQ(recorder.outcomes.size(), 2u) << Describe(recorder.outcomes);
    EXPECT_EQ(recorder.outcomes[0].contact.Call, "W1AW");
    EXPECT_EQ(recorder.outcomes[1].report, "Call missing: " + kTail);
    EXPECT_EQ(AdifFileSource::Open(dir.Path() / "missing.adi"), nullptr);
    EXPECT_EQ(AdifFileSource::Open(dir.Path()), nullptr) << "a directory is no log";
}

}  // namespace
}  // namespace wendrix
