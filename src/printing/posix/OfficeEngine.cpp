#include "printing/posix/OfficeEngine.h"

#include <algorithm>

#include "base/Failure.h"
#include "base/Lifetime.h"
#include "platform/Utf8.h"
#include "printing/FileNameOf.h"
#include "platform/posix/ChildWait.h"
#include "printing/posix/Conversion.h"
#include "printing/posix/Folders.h"

namespace {

// LibreOffice asks for a restart with this code after setting up a new profile.
constexpr int RestartWanted = 81;
constexpr int MostStarts = 3;
constexpr double VersionCheckSeconds = 30;

}  // namespace

// A conversion prepared ahead, with the instance whose folders it works in.
struct OfficeEngine::Prepared {
    std::unique_ptr<Conversion> conversion;
    std::unique_ptr<Instance> instance;
};

OfficeEngine::OfficeEngine(OfficeOptions options, EventPump& events, const Lifetime& lifetime)
    : m_options(std::move(options)), m_events(events), m_lifetime(lifetime), m_folders(m_options.workRoot, events)
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

std::shared_ptr<OfficeEngine::Instance> OfficeEngine::startInstance()
{
    checkStartable();
    std::shared_ptr<Instance> instance(makeInstance().release(), [this](Instance* unreachable) {
        try {
            endInstance(*unreachable);
        } catch (...) {
        }
        delete unreachable;
    });
    m_instances[instance->m_number] = instance;
    return instance;
}

std::unique_ptr<OfficeEngine::Instance> OfficeEngine::makeInstance()
{
    auto instance = std::make_unique<Instance>();
    instance->m_number = m_nextNumber++;
    instance->m_where = m_folders.makeInstance(instance->m_number);
    return instance;
}

std::shared_ptr<OfficeEngine::Instance> OfficeEngine::anyInstance() const
{
    for (const auto& [number, reference] : m_instances) {
        if (auto instance = reference.lock(); instance && !instance->m_ended)
            return instance;
    }
    return nullptr;
}

void OfficeEngine::open(Instance& instance, const std::string& path)
{
    if (instance.m_ended)
        throw Failure("The LibreOffice instance has ended");
    if (m_inWork)
        throw Failure("LibreOffice is busy with another file");
    std::unique_ptr<Conversion> conversion = takePrepared(instance, path);
    if (!conversion)
        conversion = beginConversion(instance, path);
    finishConversion(instance, *conversion);
}

std::unique_ptr<Conversion> OfficeEngine::beginConversion(Instance& instance, const std::string& path)
{
    std::unique_ptr<Conversion> conversion
        = Conversion::begin(path, instance.m_where, instance.m_opened + 1, m_options);
    conversion->freshProfile = m_profileTemplate.empty();
    m_profileTemplate.giveTo(instance.m_where.profile);
    return conversion;
}

void OfficeEngine::finishConversion(Instance& instance, Conversion& conversion)
{
    ChildRequest& request = conversion.request;
    ChildResult result;
    for (int start = 1; start <= MostStarts; ++start) {
        const double spent
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - conversion.started).count();
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
    const std::string pdf = conversion.result(result, m_options.timeLimitSeconds);
    ++instance.m_opened;
    instance.m_documentPdf = pdf;
    // The scheduler takes only well-formed UTF-8 job titles, so a byte that
    // is not is shown as the replacement character.
    instance.m_documentTitle = Utf8::lossy(fileNameOf(conversion.path, PathStyle::Posix));
    if (conversion.freshProfile)
        m_profileTemplate.keepFrom(instance.m_where.profile);
}

void OfficeEngine::prepareNext(const std::string& path)
{
    dropPrepared();
    if (path.empty() || !m_startable || m_inWork || m_lifetime.ended())
        return;
    std::unique_ptr<Instance> instance;
    try {
        instance = makeInstance();
        std::unique_ptr<Conversion> conversion = beginConversion(*instance, path);
        std::string error;
        conversion->firstRun = ChildProcess::start(conversion->request, error);
        if (conversion->firstRun) {
            m_prepared.reset(new Prepared{std::move(conversion), std::move(instance)});
            return;
        }
    } catch (const std::exception&) {
        // The opening at the file's turn meets the same fault and reports it.
    }
    if (instance)
        Folders::removeTree(instance->m_where.folder);
}

std::unique_ptr<Conversion> OfficeEngine::takePrepared(Instance& instance, const std::string& path)
{
    if (!m_prepared)
        return nullptr;
    if (m_prepared->conversion->path != path || instance.m_opened != 0) {
        dropPrepared();
        return nullptr;
    }
    // The instance moves into the prepared folders; its own, still empty, go.
    const std::unique_ptr<Prepared> prepared = std::move(m_prepared);
    Instance& early = *prepared->instance;
    std::swap(instance.m_where, early.m_where);
    Folders::removeTree(early.m_where.folder);
    return std::move(prepared->conversion);
}

void OfficeEngine::dropPrepared()
{
    const std::unique_ptr<Prepared> prepared = std::move(m_prepared);
    if (!prepared)
        return;
    prepared->conversion->firstRun.reset();  // ends LibreOffice with its whole group if it still runs
    m_folders.removeLater(prepared->instance->m_where.folder);
}

void OfficeEngine::endInstance(Instance& instance)
{
    if (instance.m_ended)
        return;
    instance.m_ended = true;
    m_folders.removeLater(instance.m_where.folder);
    m_instances.erase(instance.m_number);
}

void OfficeEngine::endAll()
{
    // The run in work first, so that nothing writes into the folders below.
    if (m_inWork)
        m_inWork->end();
    dropPrepared();
    for (const auto& [number, reference] : std::map<int, std::weak_ptr<Instance>>(m_instances)) {
        if (const auto instance = reference.lock())
            endInstance(*instance);
    }
    m_instances.clear();
    m_profileTemplate.clear();
    m_folders.removeAll(m_lifetime.ended());
}
