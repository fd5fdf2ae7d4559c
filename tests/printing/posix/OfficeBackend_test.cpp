// Test label: system (LibreOffice and a private CUPS scheduler)
#include "PortableTest.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "base/Failure.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakePointer.h"
#include "fakes/PollEventPump.h"
#include "platform/posix/CupsPrinters.h"
#include "printing/DiagramAppAdapter.h"
#include "support/MadePdf.h"
#include "support/PrintingTestSupport.h"
#include "printing/posix/OfficeAppFactory.h"

using namespace printing_test;

namespace {

// One private scheduler and one folder of drawings for the whole program.
struct World {
    PrivateCups cups{{"Plotter_A", "Plotter_B"}};
    TempTree drawingsTree{"plotvane-drawings-"};
    std::string drawings = drawingsTree.root();
    World()
    {
        writeVdx(drawings + "/alpha.vdx", {"Alpha drawing"});
        writeVsdx(drawings + "/two pages.vsdx", {"First sheet", "Second sheet"});
        // Spaces, quotes, non-ASCII letters and a leading dash.
        writeVdx(drawings + "/-odd 'name\" über.vdx", {"Odd name"});
        writeVdx(drawings + "/caf\xe9.vsd", {"Latin name"});  // not UTF-8, as on old shares
        writeFile(drawings + "/garbage.vsdx", std::string("\x13\x37\xfe\xed garbage bytes \x01\x02", 21));
        writeFile(drawings + "/empty.vsd", "");
        writeFile(drawings + "/readme.txt", "not a drawing\n");
        std::system(("cd " + shellQuoted(drawings) + " && zip -q nodrawing.vsdx readme.txt").c_str());
        ::mkdir((drawings + "/folder.vsd").c_str(), 0700);
    }
};

World& world()
{
    static World instance;
    return instance;
}

// The adapter over a real backend whose instances live under their own folder.
struct Rig {
    TempTree workTree{"plotvane-work-"};
    std::string work = workTree.root();
    FakeDialogs dialogs;
    FakePointer pointer;
    FakeLifetime lifetime;
    PollEventPump events;
    std::unique_ptr<OfficeAppFactory> factory;
    std::unique_ptr<DiagramAppAdapter> adapter;

    explicit Rig(OfficeOptions options = {})
    {
        options.workRoot = work;
        factory = std::make_unique<OfficeAppFactory>(events, lifetime, options);
        adapter = std::make_unique<DiagramAppAdapter>(*factory, dialogs, pointer, lifetime);
    }
    ~Rig() { factory.reset(); }
    // Folders of instances that are still there.
    int instanceFolders() const
    {
        int count = 0;
        for (const auto& root : folderEntries(work))
            for (const auto& entry : folderEntries(work + "/" + root))
                count += entry.rfind("instance-", 0) == 0;
        return count;
    }
    bool nothingRunning() const { return processesMentioning(work).empty(); }
    std::string failureOpening(const std::string& path)
    {
        return portable_test::failureOf([&] { adapter->openInNewInstance(path); });
    }
};

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A stand-in for LibreOffice made of a shell script.
std::string fakeOffice(const std::string& folder, const std::string& body)
{
    const std::string path = folder + "/soffice";
    writeFile(path,
              "#!/bin/sh\nfor a in \"$@\"; do [ \"$a\" = --version ] && { echo 'Fake 1.0'; exit 0; }; done\n" + body);
    ::chmod(path.c_str(), 0700);
    return path;
}

// The stand-in's first lines: the folder it is to render into, as $out.
const std::string TakesOutdir = "out=; prev=\nfor a in \"$@\"; do [ \"$prev\" = --outdir ] && out=$a; prev=$a; done\n";

// What a conversion holds while it runs, looked at from outside: the address
// space of its processes and LibreOffice's temporary folders (lu*.tmp).
struct ConversionWatch {
    explicit ConversionWatch(std::string folder) : work(std::move(folder)) {}
    std::string work;
    unsigned long long peak = 0;  // bytes
    std::string processes;        // " pid pid ..."
    bool sawTemporary = false;    // in an instance's folder
    void look()
    {
        for (const int pid : processesMentioning(work)) {
            if (processes.find(" " + std::to_string(pid) + " ") == std::string::npos)
                processes += " " + std::to_string(pid) + " ";
            const std::string size = capture("grep VmSize: /proc/" + std::to_string(pid) + "/status 2>/dev/null");
            if (!size.empty())
                peak = std::max(peak, std::stoull(size.substr(7)) * 1024);
        }
        sawTemporary = sawTemporary || !leftovers().empty();
    }
    // Under the instances' folders, or by these processes in the system's.
    std::string leftovers() const
    {
        return capture("find " + shellQuoted(work) + " -name 'lu*.tmp'; for p in" + processes
                       + "; do ls -d /tmp/lu$p*.tmp; done 2>/dev/null");
    }
};

}  // namespace

PV_TEST(conversionsBeyondTheMemoryBoundOrTheTimeLimitOrEndedLeaveNoTemporaryFolder)
{
    World& w = world();
    // One page repeating a shape 200,000 times: 116 MB of page in 1 MB.
    const std::string repeated = w.drawings + "/repeated.vsdx";
    writeVsdx(repeated, {"Repeated"}, 200000);
    const TempTree tree("plotvane-fake-office-");
    const std::string& folder = tree.root();
    const struct {
        unsigned long long bound;
        double limit;
        bool endMidway;  // the program closes once LibreOffice has made its folder
        const char* failure;
    } cases[] = {
        {768ULL << 20, 120, false, "the drawing needs more memory than the conversion's bound of 768 MB allows"},
        {2ULL << 30, 20, false,
         "LibreOffice did not finish within 20 seconds; the setting ConversionSeconds gives "
         "it longer (for plotvane --print: --conversion-limit SECONDS)"},
        {2ULL << 30, 120, true, "LibreOffice was ended because the program is closing"},
    };
    for (const auto& c : cases) {
        OfficeOptions options;
        // Should the bound not be set, LibreOffice still stops at 3 GiB.
        options.program
            = fakeOffice(folder, "[ \"$(ulimit -v)\" = unlimited ] && ulimit -v 3145728\nexec soffice \"$@\"\n");
        options.addressSpaceLimit = c.bound;
        options.timeLimitSeconds = c.limit;
        Rig rig(options);
        ConversionWatch watch(rig.work);
        rig.events.onWait = [&] {
            watch.look();
            if (c.endMidway && watch.sawTemporary)
                rig.lifetime.end();
            ::usleep(100 * 1000);
            return true;
        };
        const std::size_t before = w.cups.jobs().size();
        PV_CHECK_EQ(rig.failureOpening(repeated), "Cannot open \"" + repeated + "\": " + c.failure);
        PV_CHECK(watch.sawTemporary && watch.peak > 0 && watch.peak <= c.bound);
        std::printf("    peak seen: %llu MB\n", watch.peak >> 20);
        // The next file prints.
        if (!c.endMidway) {
            auto app = rig.adapter->openInNewInstance(w.drawings + "/alpha.vdx");
            app->setActivePrinter("Plotter_A");
            app->printAllPages();
            app->quit();
            PV_CHECK_EQ(w.cups.jobs().size(), before + 1);
        }
        rig.factory->endAll();
        PV_CHECK_EQ(watch.leftovers(), std::string());
        PV_CHECK(rig.nothingRunning());
    }
}

PV_TEST(goodDrawingsArePrintedAsOneJobEachWithTheirTextAndPages)
{
    World& w = world();
    PV_CHECK(w.cups.started());
    Rig rig;
    PV_CHECK(rig.adapter->checkInstalled());
    PV_CHECK(rig.dialogs.messages.empty());
    const std::size_t before = w.cups.jobs().size();

    // The odd name is given relative to the working folder, dash first.
    const char* const saved = getcwd(nullptr, 0);
    PV_CHECK_EQ(::chdir(w.drawings.c_str()), 0);
    const struct {
        std::string path;
        const char* queue;
        const char* title;
        const char* text;
        int pages;
    } cases[] = {
        {w.drawings + "/alpha.vdx", "Plotter_A", "alpha.vdx", "Alpha drawing", 1},
        {w.drawings + "/two pages.vsdx", "Plotter_B", "two pages.vsdx", "Second sheet", 2},
        {"-odd 'name\" über.vdx", "Plotter_A", "-odd 'name\" über.vdx", "Odd name", 1},
        {w.drawings + "/caf\xe9.vsd", "Plotter_B", "caf\uFFFD.vsd", "Latin name", 1},
    };
    for (const auto& c : cases) {
        PV_CHECK_EQ(portable_test::failureOf([&] {
                        auto app = rig.adapter->openInNewInstance(c.path);
                        app->setActivePrinter(c.queue);
                        app->printAllPages();
                        PV_CHECK_EQ(rig.instanceFolders(), 1);
                        app->quit();
                    }),
                    std::string("(no failure)"));
        PV_CHECK_EQ(rig.instanceFolders(), 0);
    }
    PV_CHECK_EQ(::chdir(saved), 0);
    std::free(const_cast<char*>(saved));

    const auto jobs = w.cups.jobs();
    PV_CHECK_EQ(jobs.size(), before + std::size(cases));
    for (std::size_t i = 0; i < std::size(cases) && before + i < jobs.size(); ++i) {
        const auto& job = jobs[before + i];
        PV_CHECK_EQ(job.queue, std::string(cases[i].queue));
        PV_CHECK_EQ(job.title, std::string(cases[i].title));
        PV_CHECK(contains(pdfText(job.document), cases[i].text));
        PV_CHECK_EQ(pdfPages(job.document), cases[i].pages);
    }
    PV_CHECK(rig.nothingRunning());
    // The instance's name is never the expected one, so no prompt comes up.
    PV_CHECK(!rig.adapter->isRunning());
}

PV_TEST(filesThatAreNoDrawingFailToOpenAndLeaveNothingBehind)
{
    World& w = world();
    Rig rig;
    const struct {
        std::string path;
        const char* failure;
    } cases[] = {
        {w.drawings + "/garbage.vsdx", "could not be loaded"},
        {w.drawings + "/nodrawing.vsdx", "could not be loaded"},
        {w.drawings + "/empty.vsd", "the file is empty"},
        {w.drawings + "/vanished.vsd", "File not found: "},
        {w.drawings + "/folder.vsd", "not a file"},
        {"", "File not found"},
    };
    for (const auto& c : cases) {
        rig.factory->prepareNext(c.path);  // the opening takes what was prepared, failure and all
        const std::string failure = rig.failureOpening(c.path);
        PV_CHECK(contains(failure, c.failure));
        if (!contains(failure, c.failure))
            std::printf("    %s: %s\n", c.path.c_str(), failure.c_str());
        PV_CHECK_EQ(rig.instanceFolders(), 0);
    }
    PV_CHECK(rig.nothingRunning());
}

PV_TEST(failedConversionsAreFailedOpensWithLibreOfficesWords)
{
    const TempTree folderTree{"plotvane-fake-office-"};
    const std::string folder = folderTree.root();
    const std::string whole = madePdf({{mediaBox(612, 792), "Page"}});
    writeFile(folder + "/cut.pdf", whole.substr(0, whole.size() * 55 / 100));
    writeFile(folder + "/bad.pdf", "%PDF-1.4\nnot a document\n");
    writeFile(folder + "/whole.pdf", whole);
    const std::string said = "LibreOffice said \"Error: source file could not be loaded\"";
    const struct {
        std::string pdf;  // copied into the output folder; empty: none
        const char* script;
        std::string failure;  // "(no failure)": the open succeeds
    } cases[] = {
        {"cut.pdf", "echo 'Error: source file could not be loaded' >&2; exit 1",
         "LibreOffice ended with code 1 and " + said.substr(12)},
        {"", "echo 'Error: source file could not be loaded' >&2", said},
        {"whole.pdf", "echo 'Error: source file could not be loaded'", said},
        {"bad.pdf", "", "the PDF LibreOffice made cannot be read whole ("},
        {"cut.pdf", "", "the PDF LibreOffice made cannot be read whole ("},
        {"whole.pdf", "exit 2", "LibreOffice ended with code 2"},
        {"whole.pdf", "", "(no failure)"},
    };
    for (const auto& c : cases) {
        OfficeOptions options;
        const std::string copies = c.pdf.empty() ? "" : "cp " + shellQuoted(folder + "/" + c.pdf) + " \"$out/x.pdf\"\n";
        options.program = fakeOffice(folder, TakesOutdir + copies + c.script + "\n");
        Rig rig(options);
        const std::string failure = rig.failureOpening(world().drawings + "/alpha.vdx");
        const std::size_t reason = failure.find(": ");
        PV_CHECK_EQ(reason == std::string::npos ? failure : failure.substr(reason + 2, c.failure.size()), c.failure);
        PV_CHECK_EQ(rig.instanceFolders(), 0);
    }
}

PV_TEST(printersAreCheckedByName)
{
    World& w = world();
    PV_CHECK(w.cups.addQueue("Plotter_Gone"));
    Rig rig;
    auto app = rig.adapter->openInNewInstance(w.drawings + "/alpha.vdx");
    const auto refused
        = [&](const std::string& name) { return portable_test::failureOf([&] { app->setActivePrinter(name); }); };
    PV_CHECK(contains(refused("Plotter_C"), "\"Plotter_C\" is not a printer"));
    PV_CHECK(contains(refused(""), "no printer"));
    PV_CHECK_EQ(refused("Plotter_Gone"), std::string("(no failure)"));

    // The printer goes away between choosing it and printing.
    PV_CHECK(w.cups.removeQueue("Plotter_Gone"));
    const std::string failure = portable_test::failureOf([&] { app->printAllPages(); });
    PV_CHECK(contains(failure, "Printing \"alpha.vdx\" on \"Plotter_Gone\" failed"));

    // Removed before it is chosen: refused, and without a default printer
    // the print has nowhere to go.
    PV_CHECK(contains(refused("Plotter_Gone"), "is not a printer"));
    CupsPrinters printers(rig.events, rig.lifetime);
    PV_CHECK_EQ(printers.defaultName(), std::string());
    // Our queues are listed, the removed one is not; printers found on the
    // network may be listed beside them.
    const auto names = printers.names();
    const auto listed = [&](const char* queue) { return std::find(names.begin(), names.end(), queue) != names.end(); };
    PV_CHECK(listed("Plotter_A") && listed("Plotter_B"));
    PV_CHECK(!listed("Plotter_Gone"));
    app->quit();
    PV_CHECK_EQ(rig.instanceFolders(), 0);
}

PV_TEST(missingOrBrokenApplicationIsNotInstalled)
{
    const TempTree folderTree{"plotvane-fake-office-"};
    const std::string folder = folderTree.root();
    const std::string broken = folder + "/broken";
    writeFile(broken, "#!/bin/sh\nexit 3\n");
    ::chmod(broken.c_str(), 0700);
    for (const std::string& program : {folder + "/missing/soffice", broken, std::string("no-such-soffice")}) {
        OfficeOptions options;
        options.program = program;
        Rig rig(options);
        PV_CHECK(!rig.adapter->checkInstalled());
        PV_CHECK_EQ(rig.dialogs.messages.size(), 1u);
        PV_CHECK(rig.lifetime.ended());
        PV_CHECK_EQ(rig.instanceFolders(), 0);
    }
}

PV_TEST(hangingApplicationIsEndedWithItsWholeGroup)
{
    const TempTree folderTree{"plotvane-fake-office-"};
    const std::string folder = folderTree.root();
    OfficeOptions options;
    // It starts a helper of its own, then never finishes.
    options.program
        = fakeOffice(folder, "sleep 600 &\necho $! > " + shellQuoted(folder + "/helper.pid") + "\nexec sleep 600\n");
    options.timeLimitSeconds = 2;
    Rig rig(options);
    PV_CHECK(rig.adapter->checkInstalled());
    const std::string failure = rig.failureOpening(world().drawings + "/alpha.vdx");
    PV_CHECK(contains(failure, "did not finish within 2 seconds"));
    int helper = 0;
    std::ifstream(folder + "/helper.pid") >> helper;
    PV_CHECK(helper > 0);
    PV_CHECK(goneWithin(helper, 5.0));
    PV_CHECK(rig.nothingRunning());
    PV_CHECK_EQ(rig.instanceFolders(), 0);
}

PV_TEST(restartRequestIsHonoured)
{
    // The first start of a new profile asks for a restart (code 81); the
    // stand-in then "renders" a prepared PDF.
    World& w = world();
    const TempTree folderTree{"plotvane-fake-office-"};
    const std::string folder = folderTree.root();
    Rig real;
    auto app = real.adapter->openInNewInstance(w.drawings + "/alpha.vdx");
    const std::string pdf = folder + "/prepared.pdf";
    std::system(("cp " + shellQuoted(real.work) + "/*/instance-*/work/document-1/*.pdf " + shellQuoted(pdf)).c_str());
    app->quit();

    OfficeOptions options;
    const std::string started = shellQuoted(folder + "/started");
    options.program = fakeOffice(folder, TakesOutdir + "if [ ! -e " + started + " ]; then touch " + started
                                             + "; exit 81; fi\ncp " + shellQuoted(pdf) + " \"$out/x.pdf\"\n");
    Rig rig(options);
    const std::size_t before = w.cups.jobs().size();
    auto second = rig.adapter->openInNewInstance(w.drawings + "/two pages.vsdx");
    second->setActivePrinter("Plotter_B");
    second->printAllPages();
    second->quit();
    const auto jobs = w.cups.jobs();
    PV_CHECK_EQ(jobs.size(), before + 1);
    if (jobs.size() == before + 1)
        PV_CHECK(contains(pdfText(jobs.back().document), "Alpha drawing"));
}

PV_TEST(attachNeverStartsAndEndAllLeavesNothing)
{
    World& w = world();
    Rig rig;
    PV_CHECK(portable_test::failureOf([&] { rig.factory->attach("Visio.Application"); }) != "(no failure)");
    PV_CHECK(folderEntries(rig.work).empty());

    auto app = rig.adapter->openInNewInstance(w.drawings + "/alpha.vdx");
    auto attached = rig.factory->attach("Visio.Application");
    PV_CHECK_EQ(attached->name(), std::string("LibreOffice"));
    attached.reset();  // dropping a reference ends nothing
    PV_CHECK_EQ(rig.instanceFolders(), 1);

    rig.adapter->endAll();
    PV_CHECK(folderEntries(rig.work).empty());  // the folder work left to do is done first
    PV_CHECK(portable_test::failureOf([&] { app->quit(); }) != "(no failure)");
    PV_CHECK(rig.nothingRunning());
}

PV_TEST(foldersOfKilledRunsAreRemovedAndOthersKept)
{
    Rig rig;
    const auto startOf = [](int pid) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        std::getline(stat, line);
        std::istringstream fields(line.substr(line.rfind(')') + 2));
        std::string start;
        for (int index = 3; index <= 22; ++index)
            fields >> start;
        return start;
    };
    // Process 1 is alive; a child that has ended but is not reaped yet is not.
    const std::string start = startOf(1);
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ::usleep(200 * 1000);
    const struct {
        const char* name;
        std::string owner;  // empty: no owner file
        bool kept;
    } cases[] = {
        {"plotvane-killed", "999999999 12345", false},
        {"plotvane-reused", "1 " + std::to_string(std::stoll(start) + 1), false},  // pid reused
        {"plotvane-running", "1 " + start, true},
        {"plotvane-ended", std::to_string(ended) + " " + startOf(ended), false},
        {"plotvane-foreign", "", true},
        {"plotvane-unowned-for-days", "", false},
        {"elsewhere-killed", "999999999 12345", true},
    };
    for (const auto& c : cases) {
        ::mkdir((rig.work + "/" + c.name).c_str(), 0700);
        if (!c.owner.empty())
            writeFile(rig.work + "/" + c.name + "/owner", c.owner + "\n");
    }
    std::system(("touch -d '2 days ago' " + shellQuoted(rig.work + "/plotvane-unowned-for-days")).c_str());
    auto app = rig.factory->create("Visio.Application");
    for (const auto& c : cases)
        PV_CHECK_EQ(exists(rig.work + "/" + c.name), c.kept);
    app->quit();
    ::waitpid(ended, nullptr, 0);
}
