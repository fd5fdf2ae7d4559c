#pragma once

#include <string>

// True when a folder name holds a character the folder scan refuses: one whose
// code in the system's single-byte code page is below 32, from 127 to 159, or
// the question mark 63 that stands for a character the code page lacks. Bytes
// that are not well-formed UTF-8 are refused too. An empty name is accepted.
bool hasBadCharacters(const std::string& name);
