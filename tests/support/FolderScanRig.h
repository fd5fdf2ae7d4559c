#pragma once

// "Add All Visio Files In Folder" on the real disk through a platform's file
// system, with fakes for everything else.

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
    FileSystem fs;
    FakeDialogs dialogs;
    FakeSettings settings;
    FakePointer pointer;
    FakeLifetime lifetime;
    FakePump pump;
    FakeListItems list;

    // Answers the prompt with the extension and the browser with the folder.
    Paths run(const std::string& extension, const std::string& folder)
    {
        AddFolderCommand command(dialogs, settings, fs, pointer, lifetime, pump, list);
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
