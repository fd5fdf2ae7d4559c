#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

// A value passed to a member of an automation object.
using AutomationValue = std::variant<std::string, std::int16_t>;

struct NamedArgument {
    std::string name;
    AutomationValue value;
};

// One automation object behind IDispatch, called late-bound: every member is
// looked up by name (GetIDsOfNames) at the moment of the call and then invoked;
// nothing is cached. A failing call throws Failure with the server's own
// description. The object owns one reference and releases it when dropped.
class LateBoundObject final {
public:
    // Takes over the caller's reference.
    explicit LateBoundObject(IDispatch* dispatch);
    ~LateBoundObject();
    LateBoundObject(const LateBoundObject&) = delete;
    LateBoundObject& operator=(const LateBoundObject&) = delete;

    // Property get that yields an object.
    std::unique_ptr<LateBoundObject> getObject(const std::string& member);
    // Property get that yields text.
    std::string getText(const std::string& member);
    // Property put of text.
    void putText(const std::string& member, const std::string& value);
    // Method call; the result is not used.
    void call(const std::string& member, const std::vector<AutomationValue>& positional = {},
              const std::vector<NamedArgument>& named = {});

private:
    IDispatch* m_dispatch;
};
