#pragma once

// The upper-case form of one character, by a table of this program's own and
// never by the process locale, so that names match and sort alike on every
// machine. It covers the alphabets whose case pairs follow a simple rule: Latin
// (with Latin-1 and Latin Extended-A), Greek and Cyrillic. Every other
// character is its own upper case.
char32_t upperCase(char32_t c);
