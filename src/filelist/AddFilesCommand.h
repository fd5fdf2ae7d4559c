#pragma once

#include <string>

#include "platform/PathStyle.h"

class Dialogs;
class Lifetime;
class ListItems;

// "Add Visio File(s)": the user picks files in the open-file
// dialog and each picked file is appended, as a full path, to the end of the
// list, in the dialog's order. Nothing about the files is checked: a typed name
// that matches no file and a path that is already listed are appended too.
class AddFilesCommand final {
public:
    AddFilesCommand(ListItems& list, Dialogs& dialogs, const Lifetime& lifetime, PathStyle style);

    static const char* const Location;
    static const char* const Title;
    static const char* const FilterDescription;
    static const char* const FilterPattern;
    static const char* const TooManyText;

    // A single picked path is appended as the dialog gave it; several are each
    // rebuilt as folder + separator + name and cleaned, so that files picked in a
    // root folder get no doubled separator.
    void addFiles();

private:
    std::string rebuilt(const std::string& path) const;

    ListItems& m_list;
    Dialogs& m_dialogs;
    const Lifetime& m_lifetime;
    PathStyle m_style;
};
