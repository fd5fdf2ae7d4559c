#pragma once

#include <string>

// Matches a file name against a wildcard pattern the way Windows listings do:
// "*" stands for any run of characters, "?" for exactly one, letters compare
// without regard to case, and a pattern ending in ".*" also takes names without
// that part ("*.*" takes every name, "plan.*" takes "plan").
bool wildcardMatch(const std::string& pattern, const std::string& name);
