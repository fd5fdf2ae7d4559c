#pragma once

// "Add All Visio Files In Folder" over a file system (a platform's own on the
// real disk, or the memory one), with fakes for everything else.

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "fakes/FakePointer.h"
#include "fakes/FakePump.h"
#include "fakes/FakeSettings.h"
#include "filelist/AddFolderCommand.h"

using Paths = std::vector<std::string>;

template <typename FileSystem> struct FolderScanRig {
    FileSystem disk;
    FakeDialogs dialogs;
    FakeSettings settings;
    FakePointer pointer;
    FakeLifetime lifetime;
    FakePump pump;
    FakeListItems list;
    AddFolderCommand command{dialogs, settings, disk, pointer, lifetime, pump, list};

    // Answers the two questions and runs the command.
    Paths run(const std::string& extension, const std::string& folder)
    {
        dialogs.promptAnswers.push_back(extension);
        dialogs.browseAnswers.push_back(folder);
        command.addFolder();
        return list.entries;
    }
};

inline Paths sorted(Paths paths)
{
    std::sort(paths.begin(), paths.end());
    return paths;
}
