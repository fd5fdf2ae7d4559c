#pragma once

#include <memory>
#include <string>

class RunFolders;

// The first profile that LibreOffice set up in a run, kept so that later
// instances start from a copy of it instead of setting up a profile anew. A
// copy is made ahead, off the window's thread, so that a new instance only
// moves it into place.
class ProfileTemplate final {
public:
    explicit ProfileTemplate(RunFolders& folders);

    // No profile is kept yet: the next conversion sets one up.
    bool empty() const { return m_folder.empty(); }
    // Gives the instance's profile folder a copy of the template, unless it
    // has one already or there is no template.
    void giveTo(const std::string& profile);
    // Keeps a copy of the profile as the template, unless there is one.
    void keepFrom(const std::string& profile);
    // Forgets the template: its folder goes with the run's folder.
    void clear();

private:
    struct Spare;
    void copyAhead();

    RunFolders& m_folders;
    std::string m_folder;
    std::shared_ptr<Spare> m_spare;  // the copy made ahead
};
