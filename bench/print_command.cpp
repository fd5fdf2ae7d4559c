// The per-file cost of `plotvane --print` with the 0-second pause, through
// the real backend (LibreOffice, a private CUPS scheduler), with no display:
// the whole program timed from its start to its end, its own start-up and
// diagram-application check included. Set it beside `print_soak FILES`, the
// window's run of the same number of files.
//
//   print_command [FILES]     (default 20)

#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "support/PrintingTestSupport.h"

using namespace printing_test;

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int files = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    PrivateCups cups({"Soak_Q"});
    if (!cups.started()) {
        std::fprintf(stderr, "the private CUPS scheduler did not start\n");
        return 1;
    }
    const TempTree folderTree{"plotvane-command-"};
    const std::string folder = folderTree.root();
    const std::string drawings = folder + "/drawings";
    std::system(("mkdir -p " + shellQuoted(drawings) + " " + shellQuoted(folder + "/home")).c_str());
    const std::vector<std::string> paths = writeDrawings(drawings, files);
    const std::string program = QCoreApplication::applicationDirPath().toStdString() + "/plotvane";
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY HOME=" + shellQuoted(folder + "/home") + " "
                                + shellQuoted(program) + " --print --printer Soak_Q --pause 0 " + shellQuoted(drawings)
                                + " >/dev/null 2>&1";
    const std::size_t jobsBefore = cups.jobs().size();
    const double start = now();
    const int status = std::system(command.c_str());
    const double spent = now() - start;
    std::printf("plotvane --print of %d files: status %d, jobs received %zu; %.1f s in all, %.2f s per file "
                "(2 s of it waits)\n",
                files, WEXITSTATUS(status), cups.jobs().size() - jobsBefore, spent, spent / files);
    return 0;
}
