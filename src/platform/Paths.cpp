#include "platform/Paths.h"

std::string joinPath(const std::string& folder, const std::string& name, PathStyle style)
{
    return folder + separatorOf(style) + name;
}

std::string folderEntry(const std::string& folder, PathStyle style)
{
    return folder + separatorOf(style);
}

std::string withClosingSeparator(const std::string& folder, PathStyle style)
{
    const char separator = separatorOf(style);
    return !folder.empty() && folder.back() == separator ? folder : folder + separator;
}

std::string besideProgram(const std::string& programFolder, const std::string& relative, PathStyle style)
{
    std::string name = relative;
    for (char& c : name) {
        if (c == '/')
            c = separatorOf(style);
    }
    return joinPath(programFolder, name, style);
}
