#pragma once

#include <memory>

#include "platform/posix/PrintServiceCalls.h"
#include "printing/DiagramApp.h"
#include "printing/posix/OfficeEngine.h"

// The diagram application on this system: private LibreOffice instances that
// render drawings to PDF, printing through CUPS. Answers to the class name
// "Visio.Application"; its instances report the name "LibreOffice".
class OfficeAppFactory final : public DiagramAppFactory {
public:
    // LibreOffice's runs are waited for with the window's events handled, and
    // end with the program's lifetime.
    OfficeAppFactory(EventPump& events, const Lifetime& lifetime, OfficeOptions options = {});
    // Ends whatever instance is left, so no process or folder stays behind.
    ~OfficeAppFactory() override;

    // Starts an instance: checks (once) that LibreOffice can be started and
    // gives the instance its own profile and work folder.
    std::unique_ptr<DiagramApp> create(const std::string& className) override;
    // Attaches to an instance of this program that has not quit; never starts
    // anything.
    std::unique_ptr<DiagramApp> attach(const std::string& className) override;
    void endAll() override;
    // Renders the next file while the program waits; its opening takes the
    // result.
    void prepareNext(const std::string& path) override;

private:
    std::shared_ptr<const PrintServiceCalls> m_printService;
    std::shared_ptr<OfficeEngine> m_engine;
};
