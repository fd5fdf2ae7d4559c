#pragma once

#include <string>

// The system's own text for an error code (a Win32 error or an HRESULT), without
// the trailing line break; empty when the system has no text for it.
std::string systemText(unsigned long code);

// systemText, or "Error 0x…" when the system has no text for the code.
std::string systemMessage(unsigned long code);
