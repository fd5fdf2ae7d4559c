#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

// The description of a failed automation call: the server's own text from the
// exception information when it gave one, otherwise the system's text for the
// result code. Frees the strings held by the exception information.
std::string describeComFailure(HRESULT result, EXCEPINFO* exception = nullptr);

// Throws Failure with describeComFailure's text.
[[noreturn]] void throwComFailure(HRESULT result, EXCEPINFO* exception = nullptr);
