#pragma once

#include <string>
#include <vector>

#include "app/HandOverAddress.h"

class HandOverServer;

// One Plotvane window per user session: a start looks for the session's
// running Plotvane and hands its paths over to it, or else becomes the one
// that later starts hand over to.
enum class SessionStart {
    HandedOver,  // the running Plotvane took the paths: this start ends
    OwnWindow,   // no Plotvane runs here: this start shows its window
    NoAnswer,    // a Plotvane runs here but did not take the paths
};

// The paths given on the command line, made absolute against the working
// folder and spelled natively; empty ones are left out.
std::vector<std::string> commandLinePaths(const std::vector<std::string>& arguments);

// Hands the paths (none: only come to the front) to the session's running
// Plotvane, or, when none runs, lets `server` listen at the address. Only one
// start at a time decides, so two starts at once do not both become servers.
SessionStart startInSession(const HandOverAddress& address, const std::vector<std::string>& paths,
                            HandOverServer& server, int answerLimitMs);
