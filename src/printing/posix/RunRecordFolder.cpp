#include <cstdlib>

#include "printing/RunRecord.h"

std::string runRecordFolder()
{
    // The base directory specification ignores a relative XDG_STATE_HOME.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/plotvane/runs";
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return {};
    return std::string(home) + "/.local/state/plotvane/runs";
}
