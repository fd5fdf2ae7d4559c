#include "printing/posix/OfficeEngine.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "base/Failure.h"
#include "base/Lifetime.h"
#include "platform/Paths.h"
#include "platform/Utf8.h"
#include "printing/FileNameOf.h"
#include "printing/posix/ChildWait.h"
#include "printing/posix/Folders.h"
#include "printing/posix/RenderedPdf.h"

namespace {

// LibreOffice asks for a restart with this code after setting up a new profile.
constexpr int RestartWanted = 81;
constexpr int MostStarts = 3;
constexpr double VersionCheckSeconds = 30;

std::string absolutePath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    // A relative path gets the working folder in front: this also keeps a name
    // that starts with a dash from being taken for an option.
    std::string folder(4096, '\0');
    if (!::getcwd(folder.data(), folder.size()))
        return "./" + path;
    folder.resize(std::strlen(folder.c_str()));
    return joinPath(folder, path, PathStyle::Posix);
}

// The error LibreOffice logged, if any, as it wrote it ("Error: source file
// could not be loaded"). It exits 0 after some failures, so its log counts.
std::string loggedError(const std::string& logPath)
{
    std::ifstream log(logPath);
    std::string line;
    std::string reason;
    while (std::getline(log, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("Error:", 0) == 0)
            reason = line;
    }
    return reason;
}

// The non-empty PDF that a conversion left in the folder, or empty.
std::string renderedPdf(const std::string& folder)
{
    std::string found;
    const std::string wanted = ".pdf";
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() <= wanted.size() || name.compare(name.size() - wanted.size(), wanted.size(), wanted) != 0)
                continue;
            struct stat info {};
            const std::string path = joinPath(folder, name, PathStyle::Posix);
            if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
                found = path;
        }
        ::closedir(dir);
    }
    return found;
}

// When the process started, in clock ticks since boot: together with the pid
// it names one process, even after the pid has been reused. Empty when the
// process does not exist or has ended.
std::string processStart(const std::string& pid)
{
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return {};
    const auto close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size() || line[close + 2] == 'Z')
        return {};  // a process that has ended and waits to be reaped is gone too
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    // Field 22 of the line; the text after the name starts at field 3.
    for (int index = 3; index <= 22 && fields >> field; ++index) {
    }
    return field;
}

// The drawing under a plain name (drawing-N.vsd) in the folder, for
// LibreOffice: it cannot load some names at all (bytes that are not UTF-8),
// however they are passed. A link where one can be made, else a copy; empty
// when neither can.
std::string plainNamed(const std::string& file, const std::string& folder, int number)
{
    const std::string name = fileNameOf(file, PathStyle::Posix);
    std::string extension;
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && name.size() - dot - 1 <= 8) {
        for (const char c : name.substr(dot + 1)) {
            if (!std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) {
                extension.clear();
                break;
            }
            extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    const std::string plain = joinPath(folder, "drawing-" + std::to_string(number) + (extension.empty() ? "" : "." + extension),
                                       PathStyle::Posix);
    if (::symlink(file.c_str(), plain.c_str()) == 0)
        return plain;
    std::error_code error;
    if (std::filesystem::copy_file(file, plain, std::filesystem::copy_options::overwrite_existing, error))
        return plain;
    return {};
}

// The name as a job title: the scheduler takes only well-formed UTF-8, so a
// byte that is not is shown as the replacement character.
std::string readableName(const std::string& name)
{
    return Utf8::lossy(name);
}

// Whether a failed conversion was refused memory: a process of it came up to
// the address-space bound, within what one refused request may ask for (an
// eighth of the bound, or 256 MiB). LibreOffice's own words are then the same
// as for a file it cannot read, or it crashes.
bool reachedBound(unsigned long long peak, unsigned long long bound)
{
    const unsigned long long room = std::max(bound / 8, 256ULL << 20);
    return bound > 0 && peak + room >= bound;
}

const char* const OwnerFile = "owner";
const char* const SpareProfile = "spare-profile";

// A run folder without a readable owner record is taken as abandoned once it
// is this old: its program was killed before it could write the record.
constexpr time_t UnownedSeconds = 24 * 60 * 60;

// Removes the folders that earlier runs of the program left in parent when
// they could not clean up (the program was killed): those whose owner process
// is gone, and those older than a day without an owner record. Folders of
// running programs and anything else are left alone.
void removeAbandonedRoots(const std::string& parent)
{
    DIR* dir = ::opendir(parent.c_str());
    if (!dir)
        return;
    std::vector<std::string> abandoned;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind("plotvane-", 0) != 0)
            continue;
        const std::string folder = joinPath(parent, name, PathStyle::Posix);
        struct stat info {};
        if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
            continue;
        std::ifstream owner(joinPath(folder, OwnerFile, PathStyle::Posix));
        std::string pid;
        std::string start;
        if (!(owner >> pid >> start) || pid.find_first_not_of("0123456789") != std::string::npos) {
            if (info.st_mtime < ::time(nullptr) - UnownedSeconds)
                abandoned.push_back(folder);
            continue;
        }
        if (processStart(pid) != start)
            abandoned.push_back(folder);
    }
    ::closedir(dir);
    for (const auto& folder : abandoned)
        Folders::removeTree(folder);
}

}  // namespace

// One rendering of a file to PDF in an instance's folders. A conversion
// prepared ahead also holds the instance whose folders it works in and its
// first LibreOffice run, started early.
struct OfficeEngine::Conversion {
    std::string path;    // as the caller gave it
    std::string output;  // the folder the PDF is rendered into
    ChildRequest request;
    bool freshProfile = false;
    std::chrono::steady_clock::time_point started;
    std::shared_ptr<OfficeInstanceState> instance;
    std::unique_ptr<ChildProcess> firstRun;
    // The plain-named link (or copy) LibreOffice is given in place of the
    // drawing, gone with the conversion.
    std::string given;
    ~Conversion()
    {
        if (!given.empty())
            ::unlink(given.c_str());
    }
};

unsigned long long conversionAddressSpace()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    const unsigned long long least = 2ULL << 30;
    if (pages <= 0 || pageSize <= 0)
        return least;
    return std::max(least, static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(pageSize) / 2);
}

OfficeEngine::OfficeEngine(OfficeOptions options, EventPump& events, const Lifetime& lifetime)
    : m_options(std::move(options)),
      m_events(events),
      m_lifetime(lifetime),
      m_printService(events, lifetime, m_options.printServiceSeconds)
{
}

OfficeEngine::~OfficeEngine()
{
    endAll();
}

void OfficeEngine::checkStartable()
{
    if (m_startable)
        return;
    const std::string program = findProgram(m_options.program);
    if (program.empty())
        throw Failure("LibreOffice cannot be started: " + m_options.program + " was not found");
    ChildRequest request;
    request.argv = {program, "--headless", "--version"};
    request.timeLimitSeconds = std::min(m_options.timeLimitSeconds, VersionCheckSeconds);
    const ChildResult result = run(request);
    if (result.outcome != ChildResult::Outcome::Exited || result.exitCode != 0)
        throw Failure("LibreOffice cannot be started: " + program + " did not run"
                      + (result.error.empty() ? std::string() : " (" + result.error + ")"));
    m_startable = true;
}

ChildResult OfficeEngine::run(const ChildRequest& request)
{
    // Other commands run during the wait; none of them may start a second run.
    if (m_inWork)
        throw Failure("LibreOffice is busy with another file");
    // Nor may a preparation still run beside it.
    dropPrepared();
    ChildResult result;
    std::unique_ptr<ChildProcess> child = ChildProcess::start(request, result.error);
    if (!child)
        return result;
    return waitFor(*child, request.timeLimitSeconds);
}

ChildResult OfficeEngine::waitFor(ChildProcess& child, double timeLimitSeconds)
{
    m_inWork = &child;
    struct Done {
        ChildProcess*& inWork;
        ~Done() { inWork = nullptr; }
    } done{m_inWork};
    return waitForChild(child, timeLimitSeconds, m_events, m_lifetime);
}

std::string OfficeEngine::ensureRoot()
{
    if (!m_root.empty())
        return m_root;
    const std::string parent = m_options.workRoot.empty() ? Folders::temporaryRoot() : m_options.workRoot;
    removeAbandonedRoots(parent);
    m_root = Folders::makeUnique(parent, "plotvane-");
    if (m_root.empty())
        throw Failure("No folder for LibreOffice can be made in " + parent + ": " + std::strerror(errno));
    // Without its owner record the folder could not be told from a killed
    // run's for a day: a record that cannot be written whole is a failure.
    const std::string self = std::to_string(::getpid());
    std::ofstream owner(joinPath(m_root, OwnerFile, PathStyle::Posix));
    owner << self << " " << processStart(self) << "\n";
    owner.close();
    if (!owner) {
        Folders::removeTree(m_root);
        const std::string root = m_root;
        m_root.clear();
        throw Failure("No folder for LibreOffice can be made in " + parent + ": the owner record of " + root
                      + " cannot be written");
    }
    return m_root;
}

std::shared_ptr<OfficeInstanceState> OfficeEngine::startInstance()
{
    checkStartable();
    auto instance = makeInstance();
    m_instances[instance->number] = instance;
    return instance;
}

std::shared_ptr<OfficeInstanceState> OfficeEngine::makeInstance()
{
    const std::string root = ensureRoot();
    auto instance = std::make_shared<OfficeInstanceState>();
    instance->number = m_nextNumber++;
    instance->folder = joinPath(root, "instance-" + std::to_string(instance->number), PathStyle::Posix);
    instance->profile = joinPath(instance->folder, "profile", PathStyle::Posix);
    instance->work = joinPath(instance->folder, "work", PathStyle::Posix);
    if (::mkdir(instance->folder.c_str(), 0700) != 0 || ::mkdir(instance->work.c_str(), 0700) != 0) {
        const std::string reason = std::strerror(errno);
        Folders::removeTree(instance->folder);
        throw Failure("No folder for LibreOffice can be made in " + root + ": " + reason);
    }
    return instance;
}

std::shared_ptr<OfficeInstanceState> OfficeEngine::anyInstance() const
{
    for (const auto& [number, instance] : m_instances) {
        if (!instance->ended)
            return instance;
    }
    return nullptr;
}

void OfficeEngine::prepareProfile(OfficeInstanceState& instance)
{
    struct stat info {};
    if (m_template.empty() || ::stat(instance.profile.c_str(), &info) == 0)
        return;
    // The copy made ahead is normally there long since; only when it is not
    // (it could not be made) is the template copied here and now.
    bool spare = false;
    try {
        spare = m_spareProfile.valid() && m_spareProfile.get();
    } catch (const std::exception&) {
    }
    const std::string spareFolder = joinPath(m_root, SpareProfile, PathStyle::Posix);
    if (!spare || ::rename(spareFolder.c_str(), instance.profile.c_str()) != 0) {
        if (!Folders::copyTree(m_template, instance.profile))
            Folders::removeTree(instance.profile);  // LibreOffice sets up a fresh one
    }
    copyTemplateAhead();
}

void OfficeEngine::copyTemplateAhead()
{
    const std::string spare = joinPath(m_root, SpareProfile, PathStyle::Posix);
    auto copy = std::make_shared<std::packaged_task<bool()>>([from = m_template, spare] {
        Folders::removeTree(spare);  // what a failed move may have left
        if (Folders::copyTree(from, spare))
            return true;
        Folders::removeTree(spare);
        return false;
    });
    m_spareProfile = copy->get_future();
    m_chores.post([copy] { (*copy)(); });
}

void OfficeEngine::keepAsTemplate(const OfficeInstanceState& instance)
{
    if (!m_template.empty())
        return;
    const std::string copy = joinPath(m_root, "template", PathStyle::Posix);
    if (Folders::copyTree(instance.profile, copy)) {
        m_template = copy;
        copyTemplateAhead();
    } else {
        Folders::removeTree(copy);
    }
}

void OfficeEngine::open(OfficeInstanceState& instance, const std::string& path)
{
    if (instance.ended)
        throw Failure("The LibreOffice instance has ended");
    if (m_inWork)
        throw Failure("LibreOffice is busy with another file");
    std::unique_ptr<Conversion> conversion = takePrepared(instance, path);
    if (!conversion)
        conversion = beginConversion(instance, path);
    finishConversion(instance, *conversion);
}

std::unique_ptr<OfficeEngine::Conversion> OfficeEngine::beginConversion(OfficeInstanceState& instance,
                                                                        const std::string& path)
{
    const std::string file = absolutePath(path);
    struct stat info {};
    if (path.empty() || ::stat(file.c_str(), &info) != 0)
        throw Failure("File not found: " + path);
    if (!S_ISREG(info.st_mode))
        throw Failure("Cannot open \"" + path + "\": it is not a file");
    if (info.st_size == 0)
        throw Failure("Cannot open \"" + path + "\": the file is empty");

    auto conversion = std::make_unique<Conversion>();
    conversion->path = path;
    conversion->output = joinPath(instance.work, "document-" + std::to_string(instance.opened + 1), PathStyle::Posix);
    if (::mkdir(conversion->output.c_str(), 0700) != 0)
        throw Failure("Cannot open \"" + path + "\": no work folder (" + std::strerror(errno) + ")");
    conversion->given = plainNamed(file, instance.work, instance.opened + 1);
    if (conversion->given.empty())
        throw Failure("Cannot open \"" + path + "\": it cannot be linked or copied for LibreOffice ("
                      + std::strerror(errno) + ")");
    conversion->freshProfile = m_template.empty();
    prepareProfile(instance);

    ChildRequest& request = conversion->request;
    request.argv = {m_options.program, "--headless", "--norestore", "--nolockcheck",
                    "-env:UserInstallation=" + Folders::fileUrl(instance.profile),
                    "--convert-to", "pdf:draw_pdf_Export", "--outdir", conversion->output, conversion->given};
    request.logPath = joinPath(instance.work, "soffice.log", PathStyle::Posix);
    request.timeLimitSeconds = m_options.timeLimitSeconds;
    request.addressSpaceLimit = m_options.addressSpaceLimit;
    // What LibreOffice leaves in its temporary folder when it is killed goes
    // with the instance's folder.
    request.temporaryFolder = joinPath(instance.folder, "tmp", PathStyle::Posix);
    if (::mkdir(request.temporaryFolder.c_str(), 0700) != 0 && errno != EEXIST)
        throw Failure("Cannot open \"" + path + "\": no temporary folder (" + std::strerror(errno) + ")");
    conversion->started = std::chrono::steady_clock::now();
    return conversion;
}

void OfficeEngine::finishConversion(OfficeInstanceState& instance, Conversion& conversion)
{
    const std::string& path = conversion.path;
    ChildRequest& request = conversion.request;
    ChildResult result;
    for (int start = 1; start <= MostStarts; ++start) {
        const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - conversion.started).count();
        request.timeLimitSeconds = m_options.timeLimitSeconds - spent;
        if (conversion.firstRun) {
            // Started early and under the same limit since then; a run that
            // has finished by now counts.
            const std::unique_ptr<ChildProcess> early = std::move(conversion.firstRun);
            result = waitFor(*early, request.timeLimitSeconds);
        } else if (request.timeLimitSeconds <= 0) {
            result.outcome = ChildResult::Outcome::TimedOut;
            break;
        } else {
            result = run(request);
        }
        if (result.outcome != ChildResult::Outcome::Exited || result.exitCode != RestartWanted)
            break;
    }

    const std::string cannot = "Cannot open \"" + path + "\": ";
    // A conversion refused memory fails for that, whatever else it shows:
    // more time would not help it either.
    const bool refusedMemory = result.outcome != ChildResult::Outcome::Ended
                               && reachedBound(result.peakAddressSpace, request.addressSpaceLimit);
    const auto failed = [&](const std::string& reason) {
        if (!refusedMemory)
            return Failure(cannot + reason);
        return Failure(cannot + "the drawing needs more memory than the conversion's bound of "
                       + std::to_string(request.addressSpaceLimit >> 20) + " MB allows");
    };
    switch (result.outcome) {
    case ChildResult::Outcome::NotStarted:
        throw Failure(cannot + "LibreOffice cannot be started (" + result.error + ")");
    case ChildResult::Outcome::TimedOut:
        throw failed("LibreOffice did not finish within "
                     + std::to_string(static_cast<long>(m_options.timeLimitSeconds)) + " seconds; the setting "
                     + keyOf(Setting::ConversionLimit)
                     + " gives it longer (for plotvane --print: --conversion-limit SECONDS)");
    case ChildResult::Outcome::Signaled:
        throw failed("LibreOffice ended abnormally (signal " + std::to_string(result.signal) + ")");
    case ChildResult::Outcome::Ended:
        throw Failure(cannot + "LibreOffice was ended because the program is closing");
    case ChildResult::Outcome::Exited:
        break;
    }
    // A conversion succeeded only when LibreOffice says so in all three ways:
    // exit status 0, no error in its log, and a PDF that reads whole. A PDF
    // left behind by a failed run may be cut short or half written.
    const std::string logged = loggedError(request.logPath);
    if (result.exitCode != 0)
        throw failed("LibreOffice ended with code " + std::to_string(result.exitCode)
                     + (logged.empty() ? std::string() : " and said \"" + logged + "\""));
    if (!logged.empty())
        throw failed("LibreOffice said \"" + logged + "\"");
    const std::string pdf = renderedPdf(conversion.output);
    if (pdf.empty())
        throw failed("it is not a drawing that LibreOffice can read");
    const std::string damage = RenderedPdf::damage(pdf);
    if (!damage.empty())
        throw failed("the PDF LibreOffice made cannot be read whole (" + damage + ")");
    ++instance.opened;
    instance.documentPdf = pdf;
    instance.documentTitle = readableName(fileNameOf(path, PathStyle::Posix));
    if (conversion.freshProfile)
        keepAsTemplate(instance);
}

void OfficeEngine::prepare(const std::string& path)
{
    dropPrepared();
    if (path.empty() || !m_startable || m_inWork || m_lifetime.ended())
        return;
    std::shared_ptr<OfficeInstanceState> instance;
    try {
        instance = makeInstance();
        std::unique_ptr<Conversion> conversion = beginConversion(*instance, path);
        std::string error;
        conversion->firstRun = ChildProcess::start(conversion->request, error);
        if (conversion->firstRun) {
            conversion->instance = std::move(instance);
            m_prepared = std::move(conversion);
            return;
        }
    } catch (const std::exception&) {
        // The opening at the file's turn meets the same fault and reports it.
    }
    if (instance)
        Folders::removeTree(instance->folder);
}

std::unique_ptr<OfficeEngine::Conversion> OfficeEngine::takePrepared(OfficeInstanceState& instance,
                                                                     const std::string& path)
{
    if (!m_prepared)
        return nullptr;
    if (m_prepared->path != path || instance.opened != 0) {
        dropPrepared();
        return nullptr;
    }
    // The instance moves into the prepared folders; its own, still empty, go.
    std::unique_ptr<Conversion> prepared = std::move(m_prepared);
    OfficeInstanceState& early = *prepared->instance;
    std::swap(instance.folder, early.folder);
    std::swap(instance.profile, early.profile);
    std::swap(instance.work, early.work);
    Folders::removeTree(early.folder);
    prepared->instance.reset();
    return prepared;
}

void OfficeEngine::dropPrepared()
{
    const std::unique_ptr<Conversion> prepared = std::move(m_prepared);
    if (!prepared)
        return;
    prepared->firstRun.reset();  // ends LibreOffice with its whole group if it still runs
    removeLater(prepared->instance->folder);
}

void OfficeEngine::removeLater(const std::string& folder)
{
    // Renamed at once, so that nothing is left under the instance's name.
    const std::string gone = joinPath(m_root, "removing-" + std::to_string(++m_removals), PathStyle::Posix);
    const std::string target = ::rename(folder.c_str(), gone.c_str()) == 0 ? gone : folder;
    m_chores.post([target] { Folders::removeTree(target); });
}

void OfficeEngine::endInstance(OfficeInstanceState& instance)
{
    if (instance.ended)
        return;
    instance.ended = true;
    removeLater(instance.folder);
    m_instances.erase(instance.number);
}

void OfficeEngine::endAll()
{
    // The run in work first, so that nothing writes into the folders below.
    if (m_inWork)
        m_inWork->end();
    dropPrepared();
    while (!m_instances.empty())
        endInstance(*m_instances.begin()->second);
    // When the program ends, nothing waits for folder work: the run's folder
    // goes below, and what a chore in work still writes into it is cleared at
    // the next start.
    if (m_lifetime.ended())
        m_chores.abandon();
    else
        m_chores.finish();
    m_spareProfile = {};
    Folders::removeTree(m_root);
    m_root.clear();
    m_template.clear();
}
