#pragma once

// Keeps the program's signals from the calling thread, so that they reach the
// window's thread, whose handlers end a run in order. Does nothing where the
// system has no such signals.
void blockProgramSignals();
