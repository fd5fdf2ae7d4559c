#pragma once

#include <string>

// The code of one character in the system's single-byte code page (the ANSI code
// page on Windows; Windows-1252 elsewhere). A character with no single-byte
// equivalent gives 63, the question mark. The text is one character in UTF-8.
int singleByteCode(const std::string& utf8Character);
