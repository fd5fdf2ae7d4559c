#include "PortableTest.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/posix/DesktopShell.h"
#include "support/TempTree.h"

namespace {

// A stand-in opener on PATH that writes what it was given into a file.
struct FakeOpener {
    FakeOpener()
    {
        std::ofstream script(folder + "/xdg-open");
        script << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" >> '" << folder << "/opened'\n";
        script.close();
        chmod((folder + "/xdg-open").c_str(), 0755);
        oldPath = std::getenv("PATH");
        setenv("PATH", (folder + ":" + oldPath).c_str(), 1);
    }
    ~FakeOpener() { setenv("PATH", oldPath.c_str(), 1); }
    // What the opener wrote, once it has run (it runs detached).
    std::string opened(std::size_t lines) const
    {
        std::string text;
        for (int tries = 0; tries < 200; ++tries) {
            std::ifstream file(folder + "/opened");
            std::stringstream read;
            read << file.rdbuf();
            text = read.str();
            if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) >= lines)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return text;
    }
    TempTree tree{"plotvane-opener-"};
    std::string folder = tree.root();
    std::string oldPath;
};

}  // namespace

PV_TEST(addressesAndFoldersReachTheOpenerAsOneArgument)
{
    FakeOpener opener;
    DesktopShell shell;
    shell.openUrlMinimized("https://www.plotvane.example/");
    PV_CHECK_EQ(opener.opened(2), std::string("1\nhttps://www.plotvane.example/\n"));
    shell.openFolder("/opt/My Plotvane/Samples/");
    PV_CHECK_EQ(opener.opened(4), std::string("1\nhttps://www.plotvane.example/\n1\n/opt/My Plotvane/Samples/\n"));
}
