#include "fakes/FakeDiagramApp.h"

#include "base/Failure.h"

namespace {

std::string describe(const DiagramValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    return std::to_string(std::get<std::int16_t>(value));
}

struct InstanceState {
    bool quit = false;
    bool opened = false;
};

class FakeDocument final : public DiagramObject {
public:
    explicit FakeDocument(FakeDiagramAppFactory& server) : m_server(server) {}
    std::unique_ptr<DiagramObject> getObject(const std::string& member) override
    {
        throw Failure("Object doesn't support this property or method: " + member);
    }
    std::string getText(const std::string& member) override
    {
        throw Failure("Object doesn't support this property or method: " + member);
    }
    void putText(const std::string& member, const std::string&) override
    {
        throw Failure("Object doesn't support this property or method: " + member);
    }
    void call(const std::string& member, const std::vector<DiagramValue>& positional,
              const std::vector<NamedArgument>& named) override
    {
        std::string text = member;
        for (const auto& value : positional)
            text += " " + describe(value);
        for (const auto& argument : named) {
            text += " " + argument.name + "=" + describe(argument.value);
            if (!std::holds_alternative<std::int16_t>(argument.value))
                text += "(not 16-bit)";
        }
        m_server.record(text, member);
        if (member != "PrintOut")
            throw Failure("Object doesn't support this property or method: " + member);
    }

private:
    FakeDiagramAppFactory& m_server;
};

class FakeDocuments final : public DiagramObject {
public:
    FakeDocuments(FakeDiagramAppFactory& server, std::shared_ptr<InstanceState> state)
        : m_server(server), m_state(std::move(state))
    {
    }
    std::unique_ptr<DiagramObject> getObject(const std::string& member) override
    {
        throw Failure("Object doesn't support this property or method: " + member);
    }
    std::string getText(const std::string& member) override
    {
        throw Failure("Object doesn't support this property or method: " + member);
    }
    void putText(const std::string& member, const std::string&) override
    {
        throw Failure("Object doesn't support this property or method: " + member);
    }
    void call(const std::string& member, const std::vector<DiagramValue>& positional,
              const std::vector<NamedArgument>&) override
    {
        const std::string path = positional.empty() ? std::string() : describe(positional[0]);
        m_server.record(member + " " + path, member);
        if (m_server.unopenable.count(path))
            throw Failure("File not found: " + path);
        m_state->opened = true;
    }

private:
    FakeDiagramAppFactory& m_server;
    std::shared_ptr<InstanceState> m_state;
};

class FakeInstance final : public DiagramObject {
public:
    explicit FakeInstance(FakeDiagramAppFactory& server)
        : m_server(server), m_state(std::make_shared<InstanceState>())
    {
    }
    std::unique_ptr<DiagramObject> getObject(const std::string& member) override
    {
        m_server.record(member, member);
        alive();
        if (member == "Documents")
            return std::make_unique<FakeDocuments>(m_server, m_state);
        if (member == "ActiveDocument") {
            if (!m_state->opened)
                throw Failure("No document is open");
            return std::make_unique<FakeDocument>(m_server);
        }
        throw Failure("Object doesn't support this property or method: " + member);
    }
    std::string getText(const std::string& member) override
    {
        m_server.record(member, member);
        alive();
        if (member == "name")
            return m_server.runningName;
        throw Failure("Object doesn't support this property or method: " + member);
    }
    void putText(const std::string& member, const std::string& value) override
    {
        m_server.record(member + "=" + value, member);
        alive();
        if (member != "ActivePrinter")
            throw Failure("Object doesn't support this property or method: " + member);
        if (m_server.rejectedPrinters.count(value))
            throw Failure("Invalid printer name: " + value);
    }
    void call(const std::string& member, const std::vector<DiagramValue>&, const std::vector<NamedArgument>&) override
    {
        m_server.record(member, member);
        alive();
        if (member != "Quit")
            throw Failure("Object doesn't support this property or method: " + member);
        m_state->quit = true;
        ++m_server.quit;
    }

private:
    void alive() const
    {
        if (m_state->quit)
            throw Failure("The remote server machine does not exist or is unavailable");
    }

    FakeDiagramAppFactory& m_server;
    std::shared_ptr<InstanceState> m_state;
};

}  // namespace

void FakeDiagramAppFactory::record(const std::string& text, const std::string& member)
{
    calls.push_back({text, clock ? clock->seconds() : 0.0});
    if (onCall)
        onCall(text);
    const auto failure = failing.find(member);
    if (failure != failing.end())
        throw Failure(failure->second);
}

std::unique_ptr<DiagramApp> FakeDiagramAppFactory::create(const std::string& className)
{
    record("create " + className, "create");
    if (cannotCreate)
        throw Failure("ActiveX component can't create object");
    ++created;
    return std::make_unique<FakeInstance>(*this);
}

std::unique_ptr<DiagramApp> FakeDiagramAppFactory::attach(const std::string& className)
{
    record("attach " + className, "attach");
    if (!running)
        throw Failure("ActiveX component can't create object");
    return std::make_unique<FakeInstance>(*this);
}

void FakeDiagramAppFactory::endAll()
{
    ++endAllCalls;
}

std::vector<std::string> FakeDiagramAppFactory::texts() const
{
    std::vector<std::string> result;
    for (const auto& call : calls)
        result.push_back(call.text);
    return result;
}
