#include "fakes/FakeDiagramApp.h"

#include "base/Failure.h"

namespace {

class FakeInstance final : public DiagramApp {
public:
    explicit FakeInstance(FakeDiagramAppFactory& server) : m_server(server) {}

    void open(const std::string& path) override
    {
        call("open " + path);
        if (m_server.unopenable.count(path))
            throw Failure("File not found: " + path);
        m_opened = true;
    }
    void setActivePrinter(const std::string& printerName) override
    {
        call("setActivePrinter " + printerName);
        if (m_server.rejectedPrinters.count(printerName))
            throw Failure("Invalid printer name: " + printerName);
    }
    PrintHandOff printAllPages() override
    {
        call("printAllPages");
        if (!m_opened)
            throw Failure("No document is open");
        return {};
    }
    void quit() override
    {
        call("quit");
        m_quit = true;
        ++m_server.quit;
    }
    std::string name() override
    {
        call("name");
        return m_server.runningName;
    }

private:
    // Records the call; an instance that has quit fails every call after.
    void call(const std::string& text) const
    {
        m_server.record(text);
        if (m_quit)
            throw Failure("The remote server machine does not exist or is unavailable");
    }

    FakeDiagramAppFactory& m_server;
    bool m_opened = false;
    bool m_quit = false;
};

}  // namespace

void FakeDiagramAppFactory::record(const std::string& text)
{
    calls.push_back({text, clock ? clock->seconds() : 0.0});
    if (log)
        log->push_back(text);
    if (onCall)
        onCall(text);
    const auto failure = failing.find(text.substr(0, text.find(' ')));
    if (failure != failing.end())
        throw Failure(failure->second);
}

std::unique_ptr<DiagramApp> FakeDiagramAppFactory::create(const std::string& className)
{
    record("create " + className);
    if (cannotCreate)
        throw Failure("ActiveX component can't create object");
    ++created;
    return std::make_unique<FakeInstance>(*this);
}

std::unique_ptr<DiagramApp> FakeDiagramAppFactory::attach(const std::string& className)
{
    record("attach " + className);
    if (!running)
        throw Failure("ActiveX component can't create object");
    return std::make_unique<FakeInstance>(*this);
}

std::vector<std::string> FakeDiagramAppFactory::texts() const
{
    std::vector<std::string> result;
    for (const auto& call : calls)
        result.push_back(call.text);
    return result;
}

int FakeDiagramAppFactory::count(const std::string& text) const
{
    int found = 0;
    for (const auto& call : calls)
        found += call.text == text;
    return found;
}
