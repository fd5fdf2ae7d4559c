#pragma once

#include <cstddef>
#include <string>

// Reading and writing UTF-8 one character at a time. Names on a POSIX disk and
// values read back from a store need not be well-formed, so the reader never
// fails: a byte that does not begin a well-formed sequence is taken alone.
namespace Utf8 {

struct Character {
    char32_t code = 0;   // the code point, or the lone byte's value when !valid
    bool valid = false;  // false for a lone byte outside a well-formed sequence
};

// Reads the character that starts at pos and moves pos past it; pos must be
// inside the text.
Character next(const std::string& text, std::size_t& pos);

// Appends the UTF-8 encoding of code (at most U+10FFFF).
void append(std::string& text, char32_t code);

// Number of characters, a lone byte counting as one.
std::size_t length(const std::string& text);

// The text as well-formed UTF-8: each lone byte becomes the replacement
// character U+FFFD, as the file list shows it.
std::string lossy(const std::string& text);

}  // namespace Utf8
