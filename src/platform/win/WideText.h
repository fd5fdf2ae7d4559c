#pragma once

#include <string>

// Conversions between the UTF-8 text of the program's seams and the UTF-16 text
// of the Windows API. Invalid sequences become U+FFFD, so no call fails.
std::wstring toWide(const std::string& utf8);
std::string toUtf8(const std::wstring& wide);
std::string toUtf8(const wchar_t* wide, int length);
