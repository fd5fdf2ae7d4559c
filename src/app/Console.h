#pragma once

#include <string>
#include <vector>

// What a run without a window needs of the system it runs on.
namespace Console {
// Whether standard output is a terminal, where a progress line may be
// rewritten in place.
bool outputIsTerminal();
// The arguments that make Qt start without any display: on Linux the
// offscreen platform, so that a run from cron or a service, with neither
// DISPLAY nor WAYLAND_DISPLAY, works; Windows needs none.
std::vector<std::string> windowlessQtArguments();
}  // namespace Console
