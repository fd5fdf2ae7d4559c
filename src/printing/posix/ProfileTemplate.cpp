#include "printing/posix/ProfileTemplate.h"

#include <future>
#include <sys/stat.h>

#include "platform/Paths.h"
#include "printing/posix/Folders.h"
#include "printing/posix/RunFolders.h"

// A copy of the template being made off the window's thread.
struct ProfileTemplate::Spare {
    std::string folder;
    std::promise<bool> made;  // true when the copy is there whole
    std::shared_future<bool> whole = made.get_future().share();
};

ProfileTemplate::ProfileTemplate(RunFolders& folders) : m_folders(folders) {}

void ProfileTemplate::giveTo(const std::string& profile)
{
    struct stat info {};
    if (m_folder.empty() || ::stat(profile.c_str(), &info) == 0)
        return;
    // The copy made ahead is normally there long since; only when it is not
    // (it could not be made) is the template copied here and now.
    const bool spare = m_spare && m_spare->whole.get();
    if (!spare || ::rename(m_spare->folder.c_str(), profile.c_str()) != 0) {
        if (!Folders::copyTree(m_folder, profile))
            Folders::removeTree(profile);  // LibreOffice sets up a fresh one
    }
    copyAhead();
}

void ProfileTemplate::keepFrom(const std::string& profile)
{
    if (!m_folder.empty())
        return;
    const std::string copy = joinPath(m_folders.root(), "template", PathStyle::Posix);
    if (Folders::copyTree(profile, copy)) {
        m_folder = copy;
        copyAhead();
    } else {
        Folders::removeTree(copy);
    }
}

void ProfileTemplate::clear()
{
    m_folder.clear();
    m_spare.reset();
}

void ProfileTemplate::copyAhead()
{
    auto spare = std::make_shared<Spare>();
    spare->folder = joinPath(m_folders.root(), "spare-profile", PathStyle::Posix);
    m_spare = spare;
    m_folders.chores().post([from = m_folder, spare] {
        Folders::removeTree(spare->folder);  // what a failed move may have left
        const bool whole = Folders::copyTree(from, spare->folder);
        if (!whole)
            Folders::removeTree(spare->folder);
        spare->made.set_value(whole);
    });
}
