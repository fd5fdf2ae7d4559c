#pragma once

#include <cstdint>
#include <string>

// Reads a stored position back as a 16-bit integer: an optional sign and decimal
// digits, blanks around them allowed. Throws Failure "Type mismatch" for any
// other text (an empty one too) and "Overflow" beyond -32,768 to 32,767.
std::int16_t toInteger16(const std::string& text);
