#include "platform/posix/DesktopShell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Starts `xdg-open target` detached: an intermediate child starts the opener
// and ends at once, so the opener never becomes a zombie of the program and
// the program never waits for it. A missing opener is not examined.
void openDetached(const std::string& target)
{
    const pid_t child = fork();
    if (child < 0)
        return;
    if (child == 0) {
        setsid();
        char program[] = "xdg-open";
        char* const argv[] = {program, const_cast<char*>(target.c_str()), nullptr};
        pid_t opener = 0;
        posix_spawnp(&opener, program, nullptr, nullptr, argv, environ);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

}  // namespace

void DesktopShell::openUrlMinimized(const std::string& url)
{
    // Desktops here offer no way to ask for a minimised browser window.
    openDetached(url);
}

void DesktopShell::openFolder(const std::string& path)
{
    openDetached(path);
}

void DesktopShell::openDocument(const std::string& path)
{
    openDetached(path);
}
