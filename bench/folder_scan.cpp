// Times the folder scan over a large real tree beside `find` over the same
// tree, in one run: 100,000 files in 10,000 folders, a quarter of them
// matching *.vsd.
// Usage: folder_scan [PARENT]     builds the tree in PARENT (default /tmp),
//                                       measures and removes it
//        folder_scan --keep [PARENT]   leaves the tree and prints its path
//        folder_scan --tree DIR   measures a tree that --keep left

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "fakes/FakeDialogs.h"
#include "fakes/FakeListItems.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakePointer.h"
#include "fakes/FakeSettings.h"
#include "filelist/AddFolderCommand.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

constexpr int TopFolders = 100;
constexpr int SubfoldersEach = 99;  // 100 + 100 * 99 = 10,000 folders
constexpr int FilesPerFolder = 10;  // 100,000 files

// The yields of the scan cost nothing here, as in a window with no events.
class NoEvents final : public EventPump {
public:
    void processPending() override {}
    void waitForEvents(double) override {}
    void waitForReadable(int, double) override {}
    void post(std::function<void()>) override {}
};

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Files 0, 4 and 8 of every folder match (two spelled in upper case); the
// others have near-miss extensions. A quarter of all files in the end.
const char* extensionOf(int file, int folder)
{
    static const char* const others[] = {".vsdx", ".txt", ".vs", ".pdf"};
    if (file % 4 == 0 && (file != 8 || folder % 2 == 0))
        return file == 4 ? ".VSD" : ".vsd";
    return others[file % 4];
}

int buildTree(const std::string& root)
{
    int matching = 0;
    int folderNumber = 0;
    auto fill = [&](const std::string& folder) {
        mkdir(folder.c_str(), 0755);
        for (int f = 0; f < FilesPerFolder; ++f) {
            const char* extension = extensionOf(f, folderNumber);
            if (std::string(extension) == ".vsd" || std::string(extension) == ".VSD")
                ++matching;
            std::ofstream(folder + "/drawing-" + std::to_string(f) + extension) << "x";
        }
        ++folderNumber;
    };
    for (int t = 0; t < TopFolders; ++t) {
        const std::string top = root + "/site-" + std::to_string(t);
        fill(top);
        for (int s = 0; s < SubfoldersEach; ++s)
            fill(top + "/plans-" + std::to_string(s));
    }
    return matching;
}

void removeTree(const std::string& root)
{
    nftw(
        root.c_str(), [](const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }, 32,
        FTW_DEPTH | FTW_PHYS);
}

struct Run {
    double seconds = 0;
    long found = 0;
};

Run scanOnce(const std::string& root)
{
    PosixFileSystem fs;
    FakeDialogs dialogs;
    FakeSettings settings;
    FakePointer pointer;
    FakeLifetime lifetime;
    NoEvents pump;
    FakeListItems list;
    list.entries.reserve(30000);
    dialogs.promptAnswers.push_back("vsd");
    dialogs.browseAnswers.push_back(root);
    AddFolderCommand command(dialogs, settings, fs, pointer, lifetime, pump, list);
    const auto start = std::chrono::steady_clock::now();
    command.addFolder();
    return {secondsSince(start), static_cast<long>(list.entries.size())};
}

Run findOnce(const std::string& root)
{
    const std::string command = "find '" + root + "' -type f -iname '*.vsd'";
    const auto start = std::chrono::steady_clock::now();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {};
    long lines = 0;
    char buffer[4096];
    while (fgets(buffer, sizeof buffer, pipe))
        ++lines;
    pclose(pipe);
    return {secondsSince(start), lines};
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string first = argc > 1 ? argv[1] : "";
    const bool keep = first == "--keep";
    const bool reuse = first == "--tree" && argc > 2;
    std::string root;
    int matching = TopFolders * (SubfoldersEach + 1) * FilesPerFolder / 4;
    if (reuse) {
        root = argv[2];
    } else {
        const int parentArg = keep ? 2 : 1;
        std::string pattern = std::string(argc > parentArg ? argv[parentArg] : "/tmp") + "/plotvane-bench-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            return 1;
        }
        root = pattern;
        const auto start = std::chrono::steady_clock::now();
        matching = buildTree(root);
        std::printf("tree: %d folders, %d files, %d matching *.vsd, built in %.2f s\n",
                    TopFolders * (SubfoldersEach + 1), TopFolders * (SubfoldersEach + 1) * FilesPerFolder, matching,
                    secondsSince(start));
    }

#ifdef NDEBUG
    std::printf("optimised build\n");
#else
    std::printf("debug build: build with -DCMAKE_BUILD_TYPE=Release for figures that mean something\n");
#endif
    findOnce(root);  // warm the cache for both
    Run bestScan;
    Run bestFind;
    for (int round = 0; round < 3; ++round) {
        const Run scan = scanOnce(root);
        const Run find = findOnce(root);
        std::printf("round %d: scan %.3f s (%ld files), find %.3f s (%ld files)\n", round + 1, scan.seconds, scan.found,
                    find.seconds, find.found);
        if (round == 0 || scan.seconds < bestScan.seconds)
            bestScan = scan;
        if (round == 0 || find.seconds < bestFind.seconds)
            bestFind = find;
    }
    if (keep)
        std::printf("tree kept: %s\n", root.c_str());
    else if (!reuse)
        removeTree(root);

    const bool sameCount = bestScan.found == matching && bestFind.found == matching;
    std::printf("best: scan %.3f s, find %.3f s, ratio %.2f (goal: under 1.5)%s\n", bestScan.seconds, bestFind.seconds,
                bestScan.seconds / bestFind.seconds, sameCount ? "" : "  COUNTS DIFFER");
    return sameCount ? 0 : 1;
}
