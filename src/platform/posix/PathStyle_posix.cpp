#include "platform/PathStyle.h"

PathStyle nativePathStyle()
{
    return PathStyle::Posix;
}
