#pragma once

#include <map>
#include <string>
#include <vector>

#include "base/Failure.h"

using CallLog = std::vector<std::string>;

// A fake's record of its calls, and the failures a test puts on chosen calls.
// A call is written as its name and argument ("add C:\a.vsd", "read Combo1")
// into the log, when one is set; several fakes may share one log, so that a
// test sees the order in which the code reached them. A call fails with
// Failure(description) when its name, or its whole text, is among `failing`.
struct CallRecord {
    CallLog* log = nullptr;
    std::map<std::string, std::string> failing;

    void operator()(const std::string& name, const std::string& argument = {}) const
    {
        const std::string text = argument.empty() ? name : name + " " + argument;
        if (log)
            log->push_back(text);
        for (const std::string* key : {&name, &text}) {
            const auto found = failing.find(*key);
            if (found != failing.end())
                throw Failure(found->second);
        }
    }
};
