#include "printing/posix/OfficeInstance.h"

#include "base/Failure.h"
#include "platform/posix/CupsJobs.h"
#include "platform/posix/CupsService.h"
#include "printing/posix/DrawingPrint.h"

namespace {

// Between calls no LibreOffice process runs for an instance; what stays is its
// folders. Once the program holds no reference to an instance that has not
// quit, nothing can reach it any more, so its folders go with the last
// reference. A reference to an instance that has quit fails every call, as a
// server that is gone does.
class OfficeInstance final : public DiagramApp {
public:
    OfficeInstance(std::shared_ptr<OfficeEngine> engine, std::shared_ptr<OfficeInstanceState> state)
        : m_engine(std::move(engine)), m_state(std::move(state))
    {
        ++m_state->handles;
    }
    ~OfficeInstance() override
    {
        if (--m_state->handles == 0 && !m_state->ended) {
            try {
                m_engine->endInstance(*m_state);
            } catch (...) {
            }
        }
    }
    OfficeInstance(const OfficeInstance&) = delete;
    OfficeInstance& operator=(const OfficeInstance&) = delete;

    void open(const std::string& path) override
    {
        checkAlive();
        m_engine->open(*m_state, path);
    }

    void setActivePrinter(const std::string& printerName) override
    {
        checkAlive();
        if (printerName.empty())
            throw Failure("Invalid printer name: no printer was given");
        const BoundedCall& service = m_engine->printService();
        const bool known = service.get<bool>(
            [printerName](const std::atomic<bool>&) { return CupsJobs::queueExists(printerName); },
            CupsService::silentFor(service.limitSeconds()));
        if (!known)
            throw Failure("Invalid printer name: \"" + printerName + "\" is not a printer of this system");
        m_state->activePrinter = printerName;
    }

    PrintHandOff printAllPages() override
    {
        checkAlive();
        if (m_state->documentPdf.empty())
            throw Failure("No document is open");
        const BoundedCall& service = m_engine->printService();
        std::string queue = m_state->activePrinter;
        if (queue.empty())
            queue = service.get<std::string>([](const std::atomic<bool>&) { return CupsJobs::defaultQueue(); },
                                             CupsService::silentFor(service.limitSeconds()));
        if (queue.empty())
            throw Failure("No printer is set and the system has no default printer");
        return {queue, printDrawing(queue, m_state->documentPdf, m_state->documentTitle, service)};
    }

    void quit() override
    {
        checkAlive();
        m_engine->endInstance(*m_state);
    }

    std::string name() override
    {
        checkAlive();
        return "LibreOffice";
    }

private:
    void checkAlive() const
    {
        if (m_state->ended)
            throw Failure("The LibreOffice instance has ended");
    }

    std::shared_ptr<OfficeEngine> m_engine;
    std::shared_ptr<OfficeInstanceState> m_state;
};

}  // namespace

std::unique_ptr<DiagramApp> makeOfficeInstance(std::shared_ptr<OfficeEngine> engine,
                                               std::shared_ptr<OfficeInstanceState> state)
{
    return std::make_unique<OfficeInstance>(std::move(engine), std::move(state));
}
