#pragma once

#include <string>
#include <vector>

// The arguments after the program's name exactly as the system passed them:
// on POSIX the bytes of argv, whatever their encoding, so that a file name
// that is not UTF-8 reaches the list unchanged; on Windows the command line's
// UTF-16 arguments in UTF-8.
std::vector<std::string> rawArguments(int argc, char* argv[]);

// A path given on the command line, made absolute against the working folder
// and spelled natively; its bytes otherwise stay as they are.
std::string absoluteArgumentPath(const std::string& path);
