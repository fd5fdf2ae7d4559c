#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

// A value passed to a member of the outside diagram application.
using DiagramValue = std::variant<std::string, std::int16_t>;

struct NamedArgument {
    std::string name;
    DiagramValue value;
};

// A late-bound reference to one object of the outside diagram application (the
// instance, its document collection, a document). Every member is looked up by
// name when it is called, as automation does; a failing call throws Failure with
// the application's own description. Dropping a reference never stops the
// instance: only the member Quit does.
class DiagramObject {
public:
    virtual ~DiagramObject() = default;
    // Property get that yields an object: Documents, ActiveDocument.
    virtual std::unique_ptr<DiagramObject> getObject(const std::string& member) = 0;
    // Property get that yields text: name.
    virtual std::string getText(const std::string& member) = 0;
    // Property put of text: ActivePrinter.
    virtual void putText(const std::string& member, const std::string& value) = 0;
    // Method call: Open(path), PrintOut(PrintRange := 0), Quit().
    virtual void call(const std::string& member, const std::vector<DiagramValue>& positional,
                      const std::vector<NamedArgument>& named) = 0;
};

// One running instance of the diagram application.
using DiagramApp = DiagramObject;

// Creates or attaches to instances by class name ("Visio.Application").
class DiagramAppFactory {
public:
    virtual ~DiagramAppFactory() = default;
    // Starts a new instance; throws Failure when none can be started.
    virtual std::unique_ptr<DiagramApp> create(const std::string& className) = 0;
    // Attaches to an instance that is already running, never starting one;
    // throws Failure when none is running.
    virtual std::unique_ptr<DiagramApp> attach(const std::string& className) = 0;
    // Ends every instance this factory started that has not been quit (the
    // program is closing in the middle of a run). Does nothing by default.
    virtual void endAll() {}
};
