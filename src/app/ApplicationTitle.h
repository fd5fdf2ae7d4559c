#pragma once

#include <string>

inline const char* const ProductName = "Plotvane";

// The title of every message box that gives none of its own: the product name
// cut before its last word, again while longer than 40 characters. A name of
// one word cannot be cut; it gets a short descriptive suffix instead, so the
// title is never the bare product name.
std::string applicationTitle(const std::string& productName);
