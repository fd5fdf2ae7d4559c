#pragma once

#include <string>

// The order in which a Windows file system lists the names of a folder: each
// character is upper-cased (see upperCase), and the names are then compared
// ordinally as UTF-16 code units. Names that differ only in case, which only a
// case-sensitive disk can hold side by side, follow their bytes; bytes that
// are no UTF-8 come after every character.
bool precedesInWindowsOrder(const std::string& a, const std::string& b);
