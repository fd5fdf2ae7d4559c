#include <cstdlib>

#include "printing/RunRecord.h"

std::string runRecordFolder()
{
    // A relative XDG_STATE_HOME is invalid and ignored, as by every XDG program.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/plotvane/runs";
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return {};
    return std::string(home) + "/.local/state/plotvane/runs";
}
