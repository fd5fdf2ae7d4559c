#pragma once

#include <string>

class EventPump;

// The reversible scrambling of the sample record. The key is 8 lowercase
// letters. ScrambleText shifts each byte of the UTF-8 text by the code of the
// next key letter, wrapping within 1 to 255, so that no result character has
// the code 0; the result is a text of as many characters as the input has
// bytes, each with a code from 1 to 255 (stored as UTF-8). UnscrambleText turns
// such a text back into the original bytes. Both yield to the event queue once
// per character and refuse a text of more than 32,767 characters with an
// "Overflow" failure.
namespace SampleRecordKey {
inline const char* const Value = "qemvdrka";
}

std::string scrambleText(const std::string& text, const std::string& key, EventPump& pump);
std::string unscrambleText(const std::string& text, const std::string& key, EventPump& pump);
