#include "platform/ThreadSignals.h"

void blockProgramSignals() {}
