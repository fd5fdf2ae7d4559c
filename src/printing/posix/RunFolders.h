#pragma once

#include <string>

#include "printing/posix/FolderChores.h"

// The folders of one LibreOffice instance.
struct InstanceFolders {
    std::string folder;   // holds profile/ and work/
    std::string profile;  // LibreOffice's user installation of the instance
    std::string work;     // converted documents and logs
};

// The folder of one program run that holds the LibreOffice instances: made on
// first use inside the parent folder, marked with the owning process, so that
// a later run removes such folders whose owner was killed. Folders that are
// done with are renamed out of the way at once and removed off the window's
// thread.
class RunFolders final {
public:
    // parent: where the run's folder is made; empty: the temporary folder.
    // The folder work off the window's thread posts its ends to events.
    RunFolders(std::string parent, EventPump& events);

    // The run's folder, made (with its owner record) on first use, after the
    // abandoned folders of earlier runs are cleared. Throws Failure when it
    // cannot be made.
    const std::string& root();
    // The instance's folder with its work folder inside, made anew; the
    // profile is made later. Throws Failure when they cannot be made.
    InstanceFolders makeInstance(int number);
    // Renames the folder out of its way now and removes it later.
    void removeLater(const std::string& folder);
    // Folder work that need not be waited for.
    FolderChores& chores() { return m_chores; }
    // Removes the run's folder. When the program is ending nothing waits for
    // folder work in progress: what it leaves is cleared at the next start.
    void removeAll(bool programEnding);

private:
    std::string m_parent;
    std::string m_root;
    int m_removals = 0;     // folders handed over for removal so far
    FolderChores m_chores;  // last, so that its work ends before the rest goes
};
