#include "printing/posix/OfficeInstance.h"

#include "base/Failure.h"
#include "platform/posix/CupsJobs.h"
#include "printing/posix/DrawingPrint.h"

namespace {

// Between calls no LibreOffice process runs for an instance; what stays is its
// folders, which go with the last reference to it. A reference to an instance
// that has quit fails every call, as a server that is gone does.
class OfficeInstance final : public DiagramApp {
public:
    OfficeInstance(std::shared_ptr<OfficeEngine> engine, std::shared_ptr<OfficeEngine::Instance> state,
                   std::shared_ptr<const PrintServiceCalls> printService)
        : m_engine(std::move(engine)), m_state(std::move(state)), m_printService(std::move(printService))
    {
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
        const PrintServiceCalls& service = *m_printService;
        const bool known
            = service.get<bool>([printerName](const std::atomic<bool>&) { return CupsJobs::queueExists(printerName); });
        if (!known)
            throw Failure("Invalid printer name: \"" + printerName + "\" is not a printer of this system");
        m_state->setActivePrinter(printerName);
    }

    PrintHandOff printAllPages() override
    {
        checkAlive();
        if (m_state->documentPdf().empty())
            throw Failure("No document is open");
        const PrintServiceCalls& service = *m_printService;
        std::string queue = m_state->activePrinter();
        if (queue.empty())
            queue = service.get<std::string>([](const std::atomic<bool>&) { return CupsJobs::defaultQueue(); });
        if (queue.empty())
            throw Failure("No printer is set and the system has no default printer");
        return {queue, printDrawing(queue, m_state->documentPdf(), m_state->documentTitle(), service)};
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
        if (m_state->ended())
            throw Failure("The LibreOffice instance has ended");
    }

    // The engine first, so that it is still there when the last reference
    // to the instance ends it.
    std::shared_ptr<OfficeEngine> m_engine;
    std::shared_ptr<OfficeEngine::Instance> m_state;
    std::shared_ptr<const PrintServiceCalls> m_printService;
};

}  // namespace

std::unique_ptr<DiagramApp> makeOfficeInstance(std::shared_ptr<OfficeEngine> engine,
                                               std::shared_ptr<OfficeEngine::Instance> instance,
                                               std::shared_ptr<const PrintServiceCalls> printService)
{
    return std::make_unique<OfficeInstance>(std::move(engine), std::move(instance), std::move(printService));
}
