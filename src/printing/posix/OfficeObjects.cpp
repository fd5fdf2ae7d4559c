#include "printing/posix/OfficeObjects.h"

#include "base/Failure.h"
#include "platform/posix/CupsJobs.h"
#include "printing/posix/DrawingPrint.h"

namespace {

Failure unknownMember(const std::string& member)
{
    return Failure("Object doesn't support this property or method: " + member);
}

// The instance's objects share its state; a reference to an instance that has
// quit fails every call, as a server that is gone does.
class OfficeObject : public DiagramObject {
public:
    OfficeObject(std::shared_ptr<OfficeEngine> engine, std::shared_ptr<OfficeInstanceState> state)
        : m_engine(std::move(engine)), m_state(std::move(state))
    {
    }
    std::unique_ptr<DiagramObject> getObject(const std::string& member) override { throw unknownMember(member); }
    std::string getText(const std::string& member) override { throw unknownMember(member); }
    void putText(const std::string& member, const std::string&) override { throw unknownMember(member); }
    void call(const std::string& member, const std::vector<DiagramValue>&, const std::vector<NamedArgument>&) override
    {
        throw unknownMember(member);
    }

protected:
    void checkAlive() const
    {
        if (m_state->ended)
            throw Failure("The LibreOffice instance has ended");
    }

    std::shared_ptr<OfficeEngine> m_engine;
    std::shared_ptr<OfficeInstanceState> m_state;
};

class OfficeDocument final : public OfficeObject {
public:
    using OfficeObject::OfficeObject;
    void call(const std::string& member, const std::vector<DiagramValue>& positional,
              const std::vector<NamedArgument>& named) override
    {
        if (member != "PrintOut")
            throw unknownMember(member);
        checkAlive();
        // All pages is the only range this application prints.
        for (const auto& argument : named) {
            const auto* range = std::get_if<std::int16_t>(&argument.value);
            if (argument.name != "PrintRange" || !range || *range != 0)
                throw Failure("Invalid argument: " + argument.name);
        }
        if (!positional.empty())
            throw Failure("Invalid argument");
        std::string queue = m_state->activePrinter;
        if (queue.empty())
            queue = CupsJobs::defaultQueue();
        if (queue.empty())
            throw Failure("No printer is set and the system has no default printer");
        printDrawing(queue, m_state->documentPdf, m_state->documentTitle);
    }
};

class OfficeDocuments final : public OfficeObject {
public:
    using OfficeObject::OfficeObject;
    void call(const std::string& member, const std::vector<DiagramValue>& positional,
              const std::vector<NamedArgument>& named) override
    {
        if (member != "Open")
            throw unknownMember(member);
        checkAlive();
        if (positional.size() != 1 || !named.empty())
            throw Failure("Argument not optional");
        const auto* path = std::get_if<std::string>(&positional[0]);
        if (!path)
            throw Failure("Type mismatch");
        m_engine->open(*m_state, *path);
    }
};

// Between calls no LibreOffice process runs for an instance; what stays is its
// folders. Once the program holds no reference to an instance that has not
// quit (its file could not be opened, say), nothing can reach it any more, so
// its folders go with the last reference.
class OfficeInstance final : public OfficeObject {
public:
    OfficeInstance(std::shared_ptr<OfficeEngine> engine, std::shared_ptr<OfficeInstanceState> state)
        : OfficeObject(std::move(engine), std::move(state))
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
    std::unique_ptr<DiagramObject> getObject(const std::string& member) override
    {
        if (member == "Documents") {
            checkAlive();
            return std::make_unique<OfficeDocuments>(m_engine, m_state);
        }
        if (member == "ActiveDocument") {
            checkAlive();
            if (m_state->documentPdf.empty())
                throw Failure("No document is open");
            return std::make_unique<OfficeDocument>(m_engine, m_state);
        }
        throw unknownMember(member);
    }
    std::string getText(const std::string& member) override
    {
        if (member != "name")
            throw unknownMember(member);
        checkAlive();
        return "LibreOffice";
    }
    void putText(const std::string& member, const std::string& value) override
    {
        if (member != "ActivePrinter")
            throw unknownMember(member);
        checkAlive();
        if (value.empty())
            throw Failure("Invalid printer name: no printer was given");
        if (!CupsJobs::queueExists(value))
            throw Failure("Invalid printer name: \"" + value + "\" is not a printer of this system");
        m_state->activePrinter = value;
    }
    void call(const std::string& member, const std::vector<DiagramValue>&, const std::vector<NamedArgument>&) override
    {
        if (member != "Quit")
            throw unknownMember(member);
        checkAlive();
        m_engine->endInstance(*m_state);
    }
};

}  // namespace

std::unique_ptr<DiagramApp> makeOfficeInstance(std::shared_ptr<OfficeEngine> engine,
                                               std::shared_ptr<OfficeInstanceState> state)
{
    return std::make_unique<OfficeInstance>(std::move(engine), std::move(state));
}
