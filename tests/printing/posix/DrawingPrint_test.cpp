// Test label: system (a private CUPS scheduler)
#include "PortableTest.h"

#include "base/Failure.h"
#include "fakes/FakeLifetime.h"
#include "fakes/PollEventPump.h"
#include "platform/posix/CupsPaper.h"
#include "platform/posix/CupsPrinters.h"
#include "support/MadePdf.h"
#include "support/PrintingTestSupport.h"
#include "printing/posix/DrawingPrint.h"

using namespace printing_test;

namespace {

const char* const Letter = "na_letter_8.5x11in";
const char* const A4 = "iso_a4_210x297mm";
const char* const A3 = "iso_a3_297x420mm";

// A private scheduler with a raw queue and three driverless queues to real
// IPP Everywhere printers: an office printer with A3, one without, and a
// roll that takes custom sizes.
struct World {
    PrivateCups cups{{"Raw_Q"}};
    TempTree folderTree{"plotvane-drawings-"};
    std::string folder = folderTree.root();
    PrivateCups::PrinterStart printers;
    World()
    {
        printers = cups.addPrinter("Office_A3", std::string(Letter) + "," + A4 + "," + A3, A4);
        if (printers.started)
            printers = cups.addPrinter("Office_A4", std::string(Letter) + "," + A4, Letter);
        if (printers.started)
            printers = cups.addPrinter("Roll", std::string(Letter) + ",custom_min_76.2x76.2mm,custom_max_914.4x15000mm",
                                       Letter);
    }
};

// The print service's requests, made as the program makes them.
struct Service {
    PollEventPump events;
    FakeLifetime lifetime;
    PrintServiceCalls calls{events, lifetime};
};

Service& service()
{
    static Service instance;
    return instance;
}

World& world()
{
    static World instance;
    return instance;
}

// The world with its printers, or the case is skipped where they cannot run.
World& worldWithPrinters()
{
    World& w = world();
    if (w.printers.cannotRunHere)
        PV_SKIP("no IPP Everywhere printer can run here: " + w.printers.reason);
    PV_CHECK(w.cups.started());
    PV_CHECK(w.printers.started);
    if (!w.printers.started)
        std::printf("    %s\n", w.printers.reason.c_str());
    return w;
}

}  // namespace

PV_TEST(queuesOfferThePaperTheyHave)
{
    worldWithPrinters();
    const struct {
        const char* queue;
        std::string media;
        bool offered;
    } cases[] = {
        {"Office_A3", A3, true},
        {"Office_A3", Letter, true},
        {"Office_A3", "na_ledger_11x17in", false},
        {"Office_A4", A3, false},
        {"Office_A4", A4, true},
        {"Roll", CupsPaper::customName(91400, 150000), true},
        {"Roll", CupsPaper::customName(30000, 1000000), true},
        {"Roll", CupsPaper::customName(100000, 150000), false},  // wider than the roll
        {"Roll", A3, false},
        {"Raw_Q", Letter, false},  // a raw queue reports no paper
        {"No_Such_Queue", Letter, false},
    };
    for (const auto& c : cases) {
        const CupsPaper::QueuePaper paper(c.queue);
        PV_CHECK_EQ(paper.offers(c.media), c.offered);
        if (paper.offers(c.media) != c.offered)
            std::printf("    %s, %s\n", c.queue, c.media.c_str());
    }
}

PV_TEST(eachRunOfPagesArrivesOnItsOwnPaperInPageOrder)
{
    World& w = worldWithPrinters();
    const double a3Long = 1190.55;
    const double a3Short = 841.89;
    const std::string mixed = w.folder + "/mixed.pdf";
    writeFile(mixed, madePdf({{mediaBox(a3Long, a3Short), "one"},
                              {mediaBox(a3Long, a3Short), "two"},
                              {mediaBox(612, 792), "three"},
                              {mediaBox(a3Long, a3Short), "four"}}));
    const std::string roll = w.folder + "/roll.pdf";
    writeFile(roll, madePdf({{mediaBox(2590.87, 4251.97), "banner"}}));
    struct Arrival {
        std::string media;               // the job's media; empty: none asked for
        const char* paper;               // as the list and the run record name it
        std::vector<std::string> words;  // of each page, in order
        std::string sheets;              // each page's paper
    };
    const struct {
        const char* queue;
        std::string pdf;
        std::vector<Arrival> jobs;
        const char* refusedPart = nullptr;  // its file goes while the first part is submitted
    } cases[] = {
        {"Office_A3",
         mixed,
         {{A3, "A3", {"one ", "two "}, "297x420 297x420 "},
          {Letter, "Letter", {"three "}, "216x279 "},
          {A3, "A3", {"four "}, "297x420 "}}},
        // Without A3, those pages fit the default paper, Letter, in one job.
        {"Office_A4",
         mixed,
         {{"", "", {"one ", "two "}, "216x279 216x279 "},
          {Letter, "Letter", {"three "}, "216x279 "},
          {"", "", {"four "}, "216x279 "}}},
        {"Roll", roll, {{"custom_914x1500mm_914x1500mm", "914x1500mm", {"banner "}, "914x1500 "}}},
        // A later part refused: no part prints, and none stays held.
        {"Office_A3", mixed, {}, ".pages-3-3.pdf"},
    };
    for (const auto& c : cases) {
        const std::size_t before = w.cups.received(c.queue).size();
        const std::string refused = c.refusedPart ? c.pdf + c.refusedPart : std::string();
        service().events.onWait = [&] {
            if (!refused.empty() && exists(refused)) {
                ::unlink(refused.c_str());
                // Time enough for the first part to reach the printer, were it
                // not held.
                for (int tries = 0; tries < 50 && w.cups.received(c.queue).size() == before; ++tries)
                    ::usleep(100 * 1000);
            }
            return false;
        };
        std::vector<SentJob> jobs;
        const std::string failure
            = portable_test::failureOf([&] { jobs = printDrawing(c.queue, c.pdf, "drawing", service().calls); });
        service().events.onWait = nullptr;
        PV_CHECK_EQ(failure.rfind("The printed document is missing", 0) == 0, c.refusedPart != nullptr);
        PV_CHECK(w.cups.jobsEnded(120));
        const auto received = w.cups.received(c.queue);
        PV_CHECK_EQ(jobs.size(), c.jobs.size());
        PV_CHECK_EQ(received.size(), before + c.jobs.size());
        for (std::size_t i = 0; i < jobs.size() && i < c.jobs.size() && before + i < received.size(); ++i) {
            const std::string document = received[before + i];
            PV_CHECK_EQ(w.cups.jobAttribute(jobs[i].id, "media"), c.jobs[i].media);
            PV_CHECK_EQ(jobs[i].pages, static_cast<int>(c.jobs[i].words.size()));
            PV_CHECK_EQ(jobs[i].paper, std::string(c.jobs[i].paper));
            PV_CHECK_EQ(pdfPageWords(document), c.jobs[i].words);
            PV_CHECK_EQ(pdfSheets(document), c.jobs[i].sheets);
        }
    }
}

PV_TEST(aDocumentIsPrintedWholeOrNotAtAll)
{
    World& w = world();
    PV_CHECK(w.cups.started());
    // Page sizes that cannot be read: printed as it is, asking for nothing.
    const std::string unreadable = w.folder + "/no sizes.pdf";
    writeFile(unreadable, "%PDF-1.4\nno pages here\n%%EOF\n");
    const std::size_t before = w.cups.jobs().size();
    std::vector<SentJob> jobs;
    PV_CHECK_EQ(
        portable_test::failureOf([&] { jobs = printDrawing("Raw_Q", unreadable, "no sizes", service().calls); }),
        std::string("(no failure)"));
    PV_CHECK_EQ(jobs.size(), 1u);
    const auto spooled = w.cups.jobs();
    PV_CHECK_EQ(spooled.size(), before + 1);
    if (spooled.size() == before + 1) {
        PV_CHECK_EQ(
            capture("cmp -s " + shellQuoted(spooled.back().document) + " " + shellQuoted(unreadable) + " && echo same"),
            std::string("same\n"));
        PV_CHECK_EQ(w.cups.jobAttribute(spooled.back().id, "media"), std::string());
    }

    // A document that cannot be read whole never reaches the queue.
    const struct {
        std::string path;
        const char* failure;
    } unreadables[] = {
        {w.folder, "Printing \"drawing\" on \"Raw_Q\" failed: the document "},
        {w.folder + "/gone.pdf", "The printed document is missing: "},
    };
    for (const auto& c : unreadables) {
        const std::string failure
            = portable_test::failureOf([&] { printDrawing("Raw_Q", c.path, "drawing", service().calls); });
        PV_CHECK_EQ(failure.substr(0, std::string(c.failure).size()), std::string(c.failure));
        PV_CHECK_EQ(w.cups.jobs().size(), before + 1);
    }
}

PV_TEST(printersFoundOnTheNetworkAreListedBesideTheQueues)
{
    World& w = worldWithPrinters();
    const std::string name = "Plotvane Found " + std::to_string(::getpid());
    const auto advertised = w.cups.advertisePrinter(name);
    PV_CHECK(advertised.started);
    std::string expected = name;
    std::replace(expected.begin(), expected.end(), ' ', '_');
    std::vector<std::string> names;
    for (int tries = 0; tries < 20; ++tries) {
        names = CupsPrinters(service().events, service().lifetime).names();
        if (std::find(names.begin(), names.end(), expected) != names.end())
            break;
        ::usleep(500 * 1000);
    }
    for (const std::string& queue : {expected, std::string("Raw_Q"), std::string("Office_A3")})
        PV_CHECK(std::find(names.begin(), names.end(), queue) != names.end());
}
