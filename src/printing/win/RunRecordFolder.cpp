#include <windows.h>

#include "platform/win/WideText.h"
#include "printing/RunRecord.h"

std::string runRecordFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return {};
    return toUtf8(folder, static_cast<int>(length)) + "\\Plotvane\\runs";
}
