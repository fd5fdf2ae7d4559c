#include "PortableTest.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "printing/RunRecord.h"
#include "support/TempTree.h"

namespace fs = std::filesystem;

namespace {

FileOutcome made(Outcome outcome, const std::string& file, PrintHandOff sent, const std::string& reason = {},
                 int line = 0)
{
    FileOutcome result;
    result.outcome = outcome;
    result.started = "2026-12-08 10:35:12";
    result.file = file;
    result.sent = std::move(sent);
    result.reason = reason;
    result.failedLine = line;
    return result;
}

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

PV_TEST(eachOutcomeReadsAsItsSentenceAndItsRow)
{
    const PrintHandOff oneJob{"Plotter_B", {{42, 3, "A3"}}};
    const PrintHandOff twoJobs{"Office", {{7, 2, "A3"}, {8, 1, "Letter"}, {9, 1, "A3"}}};
    const struct {
        FileOutcome outcome;
        const char* sentence;
        const char* row;
    } cases[] = {
        {made(Outcome::Sent, "/d/plan.vsdx", oneJob), "Sent to Plotter_B as job 42: 3 pages on A3",
         "2026-12-08 10:35:12,/d/plan.vsdx,Plotter_B,3,A3,42,sent,"},
        {made(Outcome::Printed, "/d/set.vsdx", twoJobs), "Printed on Office as jobs 7, 8 and 9: 4 pages on A3 Letter",
         "2026-12-08 10:35:12,/d/set.vsdx,Office,4,A3 Letter,7 8 9,printed,"},
        // Where the application gives no job numbers, only the printer is known.
        {made(Outcome::Sent, "C:\\d\\a.vsd", {"HP \"Laser\", 2nd", {}}), "Sent to HP \"Laser\", 2nd",
         "2026-12-08 10:35:12,C:\\d\\a.vsd,\"HP \"\"Laser\"\", 2nd\",,,,sent,"},
        {made(Outcome::Failed, "/d/bad,name.vdx", {}, "File not found: /d/bad,name.vdx", 120),
         "Not printed: line 120: File not found: /d/bad,name.vdx",
         "2026-12-08 10:35:12,\"/d/bad,name.vdx\",,,,,failed,\"line 120: File not found: /d/bad,name.vdx\""},
        {made(Outcome::Stopped, "/d/jam.vdx", {"Jammed", {{12, 1, ""}}}, "Paper jam"),
         "Stopped by the printer Jammed as job 12: 1 page: Paper jam",
         "2026-12-08 10:35:12,/d/jam.vdx,Jammed,1,,12,stopped,Paper jam"},
        {made(Outcome::NotReached, "/d/line\nbreak.vsd", {}), "Not printed: the run ended before this file was printed",
         "2026-12-08 10:35:12,\"/d/line\nbreak.vsd\",,,,,not reached,"},
        // Cells a spreadsheet would run as formulas stay text; names that are
        // not UTF-8 are written valid.
        {made(Outcome::Stopped, "-x.vsd", {"+cmd", {{3, 1, "@A4"}}}, "=HYPERLINK(\"http://e.test\",\"x\")"),
         "Stopped by the printer +cmd as job 3: 1 page on @A4: =HYPERLINK(\"http://e.test\",\"x\")",
         "2026-12-08 10:35:12,'-x.vsd,'+cmd,1,'@A4,3,stopped,\"'=HYPERLINK(\"\"http://e.test\"\",\"\"x\"\")\""},
        {made(Outcome::Sent, "/d/caf\xE9.vsd", {"\tQ", {}}), "Sent to \tQ",
         "2026-12-08 10:35:12,/d/caf\xEF\xBF\xBD.vsd,'\tQ,,,,sent,"},
    };
    for (const auto& c : cases) {
        PV_CHECK_EQ(describeOutcome(c.outcome), std::string(c.sentence));
        PV_CHECK_EQ(RunRecord::csv({c.outcome}),
                    std::string(RunRecord::ByteOrderMark) + RunRecord::Header + "\r\n" + c.row + "\r\n");
    }
    PV_CHECK_EQ(runSummary(298, 300, 2), std::string("Printed 298 of 300 drawings; 2 failed"));
    PV_CHECK_EQ(runSummary(1, 1, 0), std::string("Printed 1 of 1 drawing"));
}

PV_TEST(theRecordIsRewrittenWholeAndTheNewestAreKept)
{
    const TempTree own("plotvane-records-");
    const fs::path runs = fs::u8path(own.root()) / "plotvane" / "runs";
    // Older records of other runs, and a file that is no record.
    fs::create_directories(runs);
    for (int day = 1; day <= 28; ++day)
        for (int hour = 10; hour < 18; ++hour) {
            const std::string name = "2026-11-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "_"
                                     + std::to_string(hour) + "0000.csv";
            std::ofstream(runs / name) << "old";
        }
    std::ofstream(runs / "notes.txt") << "mine";

    RunRecord record(runs.u8string(), 1765190112);  // 2025-12-08
    FileOutcome row = made(Outcome::Sent, "/d/a.vsd", {"Q", {{5, 1, "A4"}}});
    PV_CHECK_EQ(record.put(1, row), std::string());
    PV_CHECK_EQ(record.put(2, made(Outcome::Failed, "/d/b.vsd", {}, "Overflow", 122)), std::string());
    row.outcome = Outcome::Printed;
    PV_CHECK_EQ(record.put(1, row), std::string());
    const std::string written = readAll(fs::u8path(record.path()));
    PV_CHECK_EQ(written, RunRecord::csv(record.rows()));
    PV_CHECK_EQ(written.substr(0, 3), std::string("\xEF\xBB\xBF"));
    PV_CHECK_EQ(record.rows().size(), 2u);
    PV_CHECK(record.rows()[0].outcome == Outcome::Printed);

    int records = 0;
    bool othersLeft = false;
    for (const auto& entry : fs::directory_iterator(runs)) {
        const std::string name = entry.path().filename().u8string();
        records += name.size() > 4 && name.substr(name.size() - 4) == ".csv";
        othersLeft = othersLeft || name == "notes.txt";
        PV_CHECK(name.find(".part") == std::string::npos);
        PV_CHECK(name != "2026-11-01_100000.csv");  // the oldest went first
    }
    PV_CHECK_EQ(records, RunRecord::RecordsKept);
    PV_CHECK(othersLeft);
    PV_CHECK(fs::exists(fs::u8path(record.path())));

    // A second run in the same second gets its own record.
    RunRecord again(runs.u8string(), 1765190112);
    PV_CHECK_EQ(again.put(1, row), std::string());
    PV_CHECK(again.path() != record.path());

    // A folder that cannot be made is a problem told in words, not a failure.
    std::ofstream(fs::u8path(own.path("blocked"))) << "a file";
    RunRecord blocked((fs::u8path(own.path("blocked")) / "runs").u8string(), 1765190112);
    PV_CHECK(blocked.put(1, row).find("cannot be made") != std::string::npos);
}

PV_TEST(whatDidNotPrintIsReadBackInTheRecordsOrder)
{
    const std::string head = std::string(RunRecord::Header) + "\r\n";
    const struct {
        const char* what;
        std::string text;
        std::vector<std::string> files;
        bool refused;
    } cases[] = {
        {"a record as it is written",
         RunRecord::csv({made(Outcome::Failed, "/d/a, \"b\".vsd", {}, "Overflow", 120),
                         made(Outcome::Sent, "/d/c.vsd", {"Q", {}}, "", 0),
                         made(Outcome::Stopped, "/d/e\xff.vsd", {"Q", {}}, "x", 0),
                         made(Outcome::NotReached, "/d/f.vsd", {}, "", 0),
                         made(Outcome::Printed, "/d/g.vsd", {"Q", {}}, "", 0)}),
         {"/d/a, \"b\".vsd", "/d/e\xef\xbf\xbd.vsd", "/d/f.vsd"},
         false},
        {"a byte-order mark and a line break in a field",
         "\xef\xbb\xbf" + head + ",\"/d/two\r\nlines.vsd\",,,,,failed,\"line 120: a\r\nb\"\r\n",
         {"/d/two\r\nlines.vsd"},
         false},
        {"columns found by name", "outcome,file\nnot reached,/d/a.vsd\nsent,/d/b.vsd\n", {"/d/a.vsd"}, false},
        {"no file column", "started,outcome\r\n", {}, true},
        {"an open quote", head + ",\"/d/a.vsd,,,,,failed,\r\n", {}, true},
        {"a short row", head + "x,/d/a.vsd\r\n", {}, true},
        {"nothing", "", {}, true},
    };
    for (const auto& c : cases) {
        bool refused = false;
        std::vector<std::string> files;
        try {
            files = RunRecord::unprintedFilesOf(c.text);
        } catch (const Failure&) {
            refused = true;
        }
        if (refused != c.refused || files != c.files)
            portable_test::fail(__FILE__, __LINE__, c.what);
    }
}
