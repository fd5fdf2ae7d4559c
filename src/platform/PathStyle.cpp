#include "platform/PathStyle.h"

char separatorOf(PathStyle style)
{
    return style == PathStyle::Windows ? '\\' : '/';
}
