#pragma once

// How paths of a platform are spelled: Windows uses "\" and knows network paths
// (\\server\share); POSIX uses "/" and has no network prefix.
enum class PathStyle { Windows, Posix };

PathStyle nativePathStyle();
char separatorOf(PathStyle style);
