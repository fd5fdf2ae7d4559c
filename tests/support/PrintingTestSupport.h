#pragma once

// Helpers of the printing tests and benchmark that use the real parts: a
// private CUPS scheduler, drawings made on the spot, and a look at what is
// left running. Header-only, so that every test program can take them in.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cups/cups.h>
#include <dirent.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "support/TempTree.h"

namespace printing_test {

inline std::string shellQuoted(const std::string& text)
{
    std::string result = "'";
    for (const char c : text) {
        if (c == '\'')
            result += "'\\''";
        else
            result += c;
    }
    return result + "'";
}

// Runs a shell command line and returns its standard output.
inline std::string capture(const std::string& command)
{
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, got);
        ::pclose(pipe);
    }
    return output;
}

inline void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

inline bool exists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// Entries of a folder, without . and ..
inline std::vector<std::string> folderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
    }
    return names;
}

// True while the process exists and is not a zombie.
inline bool alive(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string statLine;
    if (pid <= 0 || !std::getline(stat, statLine))
        return false;
    const auto close = statLine.rfind(')');
    return close == std::string::npos || close + 2 >= statLine.size() || statLine[close + 2] != 'Z';
}

// Live processes (not zombies) whose command line mentions the text.
inline std::vector<int> processesMentioning(const std::string& text)
{
    std::vector<int> found;
    for (const std::string& name : folderEntries("/proc")) {
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string command;
        try {  // reading the files of a process that ends meanwhile throws
            std::ifstream cmdline("/proc/" + name + "/cmdline", std::ios::binary);
            command.assign(std::istreambuf_iterator<char>(cmdline), std::istreambuf_iterator<char>());
        } catch (const std::exception&) {
            continue;
        }
        if (command.find(text) != std::string::npos && alive(std::stoi(name)))
            found.push_back(std::stoi(name));
    }
    return found;
}

// A process that was sent SIGKILL is gone a moment later, not at once.
inline bool goneWithin(int pid, double seconds)
{
    for (int waited = 0; waited < seconds * 100; ++waited) {
        if (!alive(pid))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return !alive(pid);
}

// A one-shape-per-page drawing in the XML drawing format (.vdx), its pages of
// the given size in inches.
inline void writeVdx(const std::string& path, const std::vector<std::string>& pageTexts, double pageWidth = 8.5,
                     double pageHeight = 11)
{
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<VisioDocument xmlns=\"http://schemas.microsoft.com/visio/2003/core\"><Pages>";
    for (std::size_t i = 0; i < pageTexts.size(); ++i) {
        xml << "<Page ID=\"" << i << "\" NameU=\"Page-" << i + 1 << "\"><PageSheet><PageProps><PageWidth>" << pageWidth
            << "</PageWidth><PageHeight>" << pageHeight
            << "</PageHeight></PageProps>"
               "</PageSheet><Shapes><Shape ID=\"1\" Type=\"Shape\"><XForm><PinX>4.25</PinX><PinY>5.5</PinY>"
               "<Width>4</Width><Height>1</Height><LocPinX>2</LocPinX><LocPinY>0.5</LocPinY></XForm>"
               "<Geom IX=\"0\"><MoveTo IX=\"1\"><X>0</X><Y>0</Y></MoveTo><LineTo IX=\"2\"><X>4</X><Y>0</Y></LineTo>"
               "<LineTo IX=\"3\"><X>4</X><Y>1</Y></LineTo><LineTo IX=\"4\"><X>0</X><Y>1</Y></LineTo>"
               "<LineTo IX=\"5\"><X>0</X><Y>0</Y></LineTo></Geom><Text>"
            << pageTexts[i] << "</Text></Shape></Shapes></Page>";
    }
    xml << "</Pages></VisioDocument>\n";
    writeFile(path, xml.str());
}

// A drawing package (.vsdx), one shape with its text on each page, repeated
// `shapes` times (many make a large page in a small package).
inline void writeVsdx(const std::string& path, const std::vector<std::string>& pageTexts, int shapes = 1)
{
    const TempTree parts("plotvane-vsdx-");
    const std::string& folder = parts.root();
    const std::string ns = "http://schemas.microsoft.com/office/visio/2012/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::string visioRel = "http://schemas.microsoft.com/visio/2010/relationships";
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const std::string relationships
        = xml + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const char* part : {"/_rels", "/visio/_rels", "/visio/pages/_rels"})
        std::filesystem::create_directories(std::filesystem::u8path(folder + part));
    std::ostringstream types;
    types << xml
          << "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
             "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
             "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
             "<Override PartName=\"/visio/document.xml\" ContentType=\"application/vnd.ms-visio.drawing.main+xml\"/>"
             "<Override PartName=\"/visio/pages/pages.xml\" ContentType=\"application/vnd.ms-visio.pages+xml\"/>";
    std::ostringstream pages;
    pages << xml << "<Pages xmlns=\"" << ns << "\" xmlns:r=\"" << rel << "\">";
    std::ostringstream pageRels;
    pageRels << relationships;
    for (std::size_t i = 0; i < pageTexts.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        types << "<Override PartName=\"/visio/pages/page" << n
              << ".xml\" ContentType=\"application/vnd.ms-visio.page+xml\"/>";
        pages << "<Page ID=\"" << i << "\" NameU=\"Page-" << n << "\" Name=\"Page-" << n
              << "\"><PageSheet><Cell N=\"PageWidth\" V=\"8.5\"/><Cell N=\"PageHeight\" V=\"11\"/></PageSheet>"
                 "<Rel r:id=\"rId"
              << n << "\"/></Page>";
        pageRels << "<Relationship Id=\"rId" << n << "\" Type=\"" << visioRel << "/page\" Target=\"page" << n
                 << ".xml\"/>";
        std::ostringstream page;
        page << xml << "<PageContents xmlns=\"" << ns << "\" xmlns:r=\"" << rel << "\"><Shapes>";
        for (int shape = 1; shape <= shapes; ++shape)
            page << "<Shape ID=\"" << shape
                 << "\" Type=\"Shape\">"
                    "<Cell N=\"PinX\" V=\"4.25\"/><Cell N=\"PinY\" V=\"5.5\"/><Cell N=\"Width\" V=\"4\"/>"
                    "<Cell N=\"Height\" V=\"1\"/><Cell N=\"LocPinX\" V=\"2\"/><Cell N=\"LocPinY\" V=\"0.5\"/>"
                    "<Section N=\"Geometry\" IX=\"0\">"
                    "<Row T=\"MoveTo\" IX=\"1\"><Cell N=\"X\" V=\"0\"/><Cell N=\"Y\" V=\"0\"/></Row>"
                    "<Row T=\"LineTo\" IX=\"2\"><Cell N=\"X\" V=\"4\"/><Cell N=\"Y\" V=\"0\"/></Row>"
                    "<Row T=\"LineTo\" IX=\"3\"><Cell N=\"X\" V=\"4\"/><Cell N=\"Y\" V=\"1\"/></Row>"
                    "<Row T=\"LineTo\" IX=\"4\"><Cell N=\"X\" V=\"0\"/><Cell N=\"Y\" V=\"1\"/></Row>"
                    "<Row T=\"LineTo\" IX=\"5\"><Cell N=\"X\" V=\"0\"/><Cell N=\"Y\" V=\"0\"/></Row>"
                    "</Section><Text>"
                 << pageTexts[i] << "</Text></Shape>";
        page << "</Shapes></PageContents>";
        writeFile(folder + "/visio/pages/page" + n + ".xml", page.str());
    }
    types << "</Types>";
    pages << "</Pages>";
    pageRels << "</Relationships>";
    writeFile(folder + "/[Content_Types].xml", types.str());
    writeFile(folder + "/visio/pages/pages.xml", pages.str());
    writeFile(folder + "/visio/pages/_rels/pages.xml.rels", pageRels.str());
    writeFile(folder + "/_rels/.rels", relationships + "<Relationship Id=\"rId1\" Type=\"" + visioRel
                                           + "/document\" Target=\"visio/document.xml\"/></Relationships>");
    writeFile(folder + "/visio/document.xml", xml + "<VisioDocument xmlns=\"" + ns + "\"/>");
    writeFile(folder + "/visio/_rels/document.xml.rels", relationships + "<Relationship Id=\"rId1\" Type=\"" + visioRel
                                                             + "/pages\" Target=\"pages/pages.xml\"/></Relationships>");
    ::unlink(path.c_str());
    std::system(
        ("cd " + shellQuoted(folder) + " && zip -q -X -r " + shellQuoted(path) + " '[Content_Types].xml' _rels visio")
            .c_str());
}

// A folder's worth of small drawings for the benchmarks: "drawing 1.vdx" of
// one page, "drawing 2.vsdx" of two, and so on alternately. Returns their paths.
inline std::vector<std::string> writeDrawings(const std::string& folder, int files)
{
    std::vector<std::string> paths;
    for (int i = 0; i < files; ++i) {
        const std::string n = std::to_string(i + 1);
        paths.push_back(folder + "/drawing " + n + (i % 2 ? ".vsdx" : ".vdx"));
        if (i % 2)
            writeVsdx(paths.back(), {"Sheet A of " + n, "Sheet B of " + n});
        else
            writeVdx(paths.back(), {"Drawing " + n});
    }
    return paths;
}

// A CUPS scheduler of the test's own, with raw queues that print into the void
// and keep every submitted document in the spool. Clients of this process are
// pointed at it; the system's scheduler is never touched.
class PrivateCups {
public:
    explicit PrivateCups(const std::vector<std::string>& queues)
    {
        std::string arguments = "start " + shellQuoted(m_folder);
        for (const auto& queue : queues)
            arguments += " " + shellQuoted(queue);
        m_started = script(arguments + " >/dev/null") == 0;
        ::setenv("CUPS_SERVER", (m_folder + "/cups.sock").c_str(), 1);
        ::unsetenv("PRINTER");
        ::unsetenv("LPDEST");
    }
    ~PrivateCups() { script("stop " + shellQuoted(m_folder)); }
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    bool started() const { return m_started; }
    const std::string& folder() const { return m_folder; }

    bool admin(const std::string& arguments) const
    {
        return std::system(("CUPS_SERVER=" + shellQuoted(m_folder + "/cups.sock") + " lpadmin " + arguments
                            + " >/dev/null 2>&1")
                               .c_str())
               == 0;
    }
    bool addQueue(const std::string& queue) const
    {
        return admin("-p " + shellQuoted(queue) + " -v file:///dev/null -E -m raw");
    }
    bool removeQueue(const std::string& queue) const { return admin("-x " + shellQuoted(queue)); }
    bool setDefault(const std::string& queue) const { return admin("-d " + shellQuoted(queue)); }

    // Adding a real printer: started, or why not. A printer cannot run here
    // where avahi-daemon does not run and this user may not start it.
    struct PrinterStart {
        bool started = false;
        bool cannotRunHere = false;
        std::string reason;
    };
    // A driverless queue to an IPP Everywhere printer of its own (an
    // ippeveprinter, not advertised) that takes the paper in media, a
    // comma-separated list of PWG names, and keeps what it receives.
    PrinterStart addPrinter(const std::string& queue, const std::string& media, const std::string& defaultMedia) const
    {
        return startPrinter("printer " + shellQuoted(m_folder) + " " + shellQuoted(queue) + " " + shellQuoted(media)
                            + " " + shellQuoted(defaultMedia));
    }
    // A printer that DNS-SD advertises, with no queue here.
    PrinterStart advertisePrinter(const std::string& name) const
    {
        return startPrinter("advertise " + shellQuoted(m_folder) + " " + shellQuoted(name));
    }
    // The documents the queue's printer received, in the order it took them.
    std::vector<std::string> received(const std::string& queue) const
    {
        const std::string folder = m_folder + "/printers/" + queue;
        std::vector<std::pair<int, std::string>> numbered;
        for (const std::string& name : folderEntries(folder)) {
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".pdf") == 0)
                numbered.emplace_back(std::atoi(name.c_str()), folder + "/" + name);
        }
        std::sort(numbered.begin(), numbered.end());
        std::vector<std::string> paths;
        for (const auto& entry : numbered)
            paths.push_back(entry.second);
        return paths;
    }
    // Waits until no job is pending or printing any more; false when some
    // still is after the given time.
    bool jobsEnded(double seconds) const
    {
        for (int waited = 0;; ++waited) {
            cups_job_t* list = nullptr;
            const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
            cupsFreeJobs(active, list);
            if (active == 0)
                return true;
            if (waited >= seconds * 10)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    // A job attribute as the scheduler keeps it, in text; empty when the job
    // has none.
    std::string jobAttribute(int job, const std::string& name) const
    {
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        const std::string uri = "ipp://localhost/jobs/" + std::to_string(job);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, name.c_str());
        ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
        std::string value;
        if (ipp_attribute_t* attribute = response ? ippFindAttribute(response, name.c_str(), IPP_TAG_ZERO) : nullptr) {
            char text[1024];
            ippAttributeString(attribute, text, sizeof text);
            value = text;
        }
        ippDelete(response);
        return value;
    }

    struct Job {
        int id;
        std::string queue;
        std::string title;
        std::string document;  // the submitted file, kept in the spool
    };
    // Every job of every queue, oldest first.
    std::vector<Job> jobs() const
    {
        cups_job_t* list = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, nullptr, 0, CUPS_WHICHJOBS_ALL);
        std::vector<Job> result;
        for (int i = 0; i < count; ++i) {
            char document[64];
            std::snprintf(document, sizeof document, "/spool/d%05d-001", list[i].id);
            result.push_back({list[i].id, list[i].dest, list[i].title, m_folder + document});
        }
        cupsFreeJobs(count, list);
        std::sort(result.begin(), result.end(), [](const Job& a, const Job& b) { return a.id < b.id; });
        return result;
    }

private:
    // Runs the source tree's scripts/private-cups.sh with the arguments (shell
    // words); its exit status as std::system tells it.
    static int script(const std::string& arguments)
    {
        std::string root = __FILE__;  // <root>/tests/support/PrintingTestSupport.h
        for (int up = 0; up < 3; ++up)
            root = root.substr(0, root.rfind('/'));
        return std::system((shellQuoted(root + "/scripts/private-cups.sh") + " " + arguments).c_str());
    }
    PrinterStart startPrinter(const std::string& arguments) const
    {
        const std::string errors = m_folder + "/printer-start.err";
        const int status = script(arguments + " >/dev/null 2>" + shellQuoted(errors));
        PrinterStart result;
        std::ifstream reason(errors);
        std::getline(reason, result.reason, '\0');
        result.reason.erase(result.reason.find_last_not_of(" \n") + 1);
        result.started = status == 0;
        result.cannotRunHere = WIFEXITED(status) && WEXITSTATUS(status) == 3;
        return result;
    }

    TempTree m_tree{"plotvane-cups-"};
    std::string m_folder = m_tree.root();
    bool m_started = false;
};

inline std::string pdfText(const std::string& pdf)
{
    return capture("pdftotext " + shellQuoted(pdf) + " - 2>/dev/null");
}

inline int pdfPages(const std::string& pdf)
{
    const std::string info = capture("pdfinfo " + shellQuoted(pdf) + " 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

// The words of each page, sorted, so that a page turned onto its paper
// compares equal to the page as it was sent.
inline std::vector<std::string> pdfPageWords(const std::string& pdf)
{
    std::vector<std::string> pages;
    for (int page = 1; page <= pdfPages(pdf); ++page) {
        std::istringstream text(capture("pdftotext -f " + std::to_string(page) + " -l " + std::to_string(page) + " "
                                        + shellQuoted(pdf) + " - 2>/dev/null"));
        const std::multiset<std::string> words{std::istream_iterator<std::string>(text),
                                               std::istream_iterator<std::string>()};
        std::string joined;
        for (const auto& word : words)
            joined += word + " ";
        pages.push_back(joined);
    }
    return pages;
}

// The paper of each page, "WxH " in whole millimetres, the shorter side first.
inline std::string pdfSheets(const std::string& pdf)
{
    std::string sheets;
    std::istringstream info(capture("pdfinfo -l 9999 " + shellQuoted(pdf) + " 2>/dev/null"));
    std::string line;
    while (std::getline(info, line)) {
        double width = 0;
        double height = 0;
        if (std::sscanf(line.c_str(), "Page %*d size: %lf x %lf", &width, &height) == 2)
            sheets += std::to_string(std::lround(std::min(width, height) * 25.4 / 72)) + "x"
                      + std::to_string(std::lround(std::max(width, height) * 25.4 / 72)) + " ";
    }
    return sheets;
}

}  // namespace printing_test
