#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "printing/win/ComCallTimer.h"

// A value passed to a member of an automation object.
using AutomationValue = std::variant<std::string, std::int16_t>;

struct NamedArgument {
    std::string name;
    AutomationValue value;
};

// One automation object behind IDispatch, called late-bound: every member is
// looked up by name (GetIDsOfNames) at the moment of the call and then invoked;
// nothing is cached. A failing call throws Failure with the server's own
// description. Every call, the reference's release included, is bounded: one
// that runs out of time throws UnansweredCall. The object owns one reference
// and releases it when dropped.
class LateBoundObject final {
public:
    // Takes over the caller's reference. `name` is the member the object was
    // read from ("Documents"), empty for an application itself; failures name
    // calls by it ("Documents.Open").
    LateBoundObject(IDispatch* dispatch, std::shared_ptr<ComCallTimer> bound, std::string name = {});
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
              const std::vector<NamedArgument>& named = {}, ComCallTimer::Kind kind = ComCallTimer::Kind::Ordinary);

private:
    std::string nameOf(const std::string& member) const;

    IDispatch* m_dispatch;
    std::shared_ptr<ComCallTimer> m_bound;
    std::string m_name;
};
