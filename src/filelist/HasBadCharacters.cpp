#include "filelist/HasBadCharacters.h"

#include "platform/CodePage.h"
#include "platform/Utf8.h"

bool hasBadCharacters(const std::string& name)
{
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t start = pos;
        if (!Utf8::next(name, pos).valid)
            return true;
        const int code = singleByteCode(name.substr(start, pos - start));
        if (code < 32 || (code >= 127 && code <= 159) || code == 63)
            return true;
    }
    return false;
}
