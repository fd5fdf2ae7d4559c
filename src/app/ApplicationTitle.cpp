#include "app/ApplicationTitle.h"

namespace {
constexpr std::size_t MaxTitleLength = 40;
const char* const OneWordSuffix = " Batch Print";
}  // namespace

std::string applicationTitle(const std::string& productName)
{
    std::string title = productName;
    std::size_t space = title.rfind(' ');
    if (space == std::string::npos) {
        title += OneWordSuffix;
        return title.size() <= MaxTitleLength ? title : title.substr(0, MaxTitleLength);
    }
    do {
        title = title.substr(0, space);
        space = title.rfind(' ');
    } while (title.size() > MaxTitleLength && space != std::string::npos);
    return title.size() <= MaxTitleLength ? title : title.substr(0, MaxTitleLength);
}
