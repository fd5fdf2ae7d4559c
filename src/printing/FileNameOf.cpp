#include "printing/FileNameOf.h"

std::string fileNameOf(const std::string& path, PathStyle style)
{
    const std::size_t last = path.rfind(separatorOf(style));
    return last == std::string::npos ? path : path.substr(last + 1);
}
