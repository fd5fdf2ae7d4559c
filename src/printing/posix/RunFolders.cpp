#include "printing/posix/RunFolders.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <vector>
#include <unistd.h>

#include "base/Failure.h"
#include "platform/Paths.h"
#include "printing/posix/Folders.h"

namespace {

const char* const OwnerFile = "owner";

// A run folder without a readable owner record is taken as abandoned once it
// is this old: its program was killed before it could write the record.
constexpr time_t UnownedSeconds = 24 * 60 * 60;

// When the process started, in clock ticks since boot: together with the pid
// it names one process, even after the pid has been reused. Empty when the
// process does not exist or has ended.
std::string processStart(const std::string& pid)
{
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return {};
    const auto close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size() || line[close + 2] == 'Z')
        return {};  // a process that has ended and waits to be reaped is gone too
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    // Field 22 of the line; the text after the name starts at field 3.
    for (int index = 3; index <= 22 && fields >> field; ++index) {}
    return field;
}

// Removes the folders that earlier runs of the program left in parent when
// they could not clean up (the program was killed): those whose owner process
// is gone, and those older than a day without an owner record. Folders of
// running programs and anything else are left alone.
void removeAbandonedRoots(const std::string& parent)
{
    DIR* dir = ::opendir(parent.c_str());
    if (!dir)
        return;
    std::vector<std::string> abandoned;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind("plotvane-", 0) != 0)
            continue;
        const std::string folder = joinPath(parent, name, PathStyle::Posix);
        struct stat info {};
        if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
            continue;
        std::ifstream owner(joinPath(folder, OwnerFile, PathStyle::Posix));
        std::string pid;
        std::string start;
        if (!(owner >> pid >> start) || pid.find_first_not_of("0123456789") != std::string::npos) {
            if (info.st_mtime < ::time(nullptr) - UnownedSeconds)
                abandoned.push_back(folder);
            continue;
        }
        if (processStart(pid) != start)
            abandoned.push_back(folder);
    }
    ::closedir(dir);
    for (const auto& folder : abandoned)
        Folders::removeTree(folder);
}

// Removes a run folder with its owner record last, so that a removal cut short
// (the program is ended before it is done) leaves a folder that the next start
// still knows as abandoned.
bool removeRoot(const std::string& root)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename() != OwnerFile)
            Folders::removeTree(it->path().string());
    }
    return Folders::removeTree(root);
}

}  // namespace

RunFolders::RunFolders(std::string parent, EventPump& events) : m_parent(std::move(parent)), m_chores(events) {}

const std::string& RunFolders::root()
{
    if (!m_root.empty())
        return m_root;
    const std::string parent = m_parent.empty() ? Folders::temporaryRoot() : m_parent;
    removeAbandonedRoots(parent);
    const std::string root = Folders::makeUnique(parent, "plotvane-");
    if (root.empty())
        throw Failure("No folder for LibreOffice can be made in " + parent + ": " + std::strerror(errno));
    // Without its owner record the folder could not be told from a killed
    // run's for a day: a record that cannot be written whole is a failure.
    const std::string self = std::to_string(::getpid());
    std::ofstream owner(joinPath(root, OwnerFile, PathStyle::Posix));
    owner << self << " " << processStart(self) << "\n";
    owner.close();
    if (!owner) {
        Folders::removeTree(root);
        throw Failure("No folder for LibreOffice can be made in " + parent + ": the owner record of " + root
                      + " cannot be written");
    }
    m_root = root;
    return m_root;
}

InstanceFolders RunFolders::makeInstance(int number)
{
    const std::string& parent = root();
    const std::string folder = joinPath(parent, "instance-" + std::to_string(number), PathStyle::Posix);
    InstanceFolders made{folder, joinPath(folder, "profile", PathStyle::Posix),
                         joinPath(folder, "work", PathStyle::Posix)};
    if (::mkdir(folder.c_str(), 0700) != 0 || ::mkdir(made.work.c_str(), 0700) != 0) {
        const std::string reason = std::strerror(errno);
        Folders::removeTree(folder);
        throw Failure("No folder for LibreOffice can be made in " + parent + ": " + reason);
    }
    return made;
}

void RunFolders::removeLater(const std::string& folder)
{
    // Renamed at once, so that nothing is left under the instance's name.
    const std::string gone = joinPath(m_root, "removing-" + std::to_string(++m_removals), PathStyle::Posix);
    const std::string target = ::rename(folder.c_str(), gone.c_str()) == 0 ? gone : folder;
    m_chores.post([target] { Folders::removeTree(target); });
}

void RunFolders::removeAll(bool programEnding)
{
    if (programEnding)
        m_chores.abandon();
    else
        m_chores.finish();
    // When the program is ending, a chore still in work removes or copies
    // inside the folder at the same time, and a removal that meets its
    // changes stops half way: it goes on until nothing is left. The chore
    // stops writing as soon as its folder is gone.
    constexpr int MostAttempts = 50;
    for (int attempt = 1; attempt <= MostAttempts && !removeRoot(m_root); ++attempt) {}
    m_root.clear();
}
