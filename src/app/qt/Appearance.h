#pragma once

#include <string>

class FileSystem;
class QWidget;
class SkinComponent;

// Puts the skin on the main window when its file stands beside the program:
// the window and its frames take the button-face colour, then the skin
// component loads the file and is applied. A missing (or hidden) skin file
// leaves the window as designed. Throws Failure when a step fails; the colours
// already changed stay.
void applyAppearance(QWidget& window, FileSystem& fileSystem, SkinComponent& skin, const std::string& skinPath);
