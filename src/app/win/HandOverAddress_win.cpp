#include "app/HandOverAddress.h"

#include <windows.h>

#include "platform/win/WideText.h"

namespace {

std::wstring userName()
{
    wchar_t name[257] = {};
    DWORD size = 257;
    return GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();
}

std::wstring tempFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

}  // namespace

// Named pipes are seen by every session of the machine, so the pipe's name
// carries the session and the user; the pipe itself admits only this user.
HandOverAddress handOverAddress()
{
    DWORD session = 0;
    const std::wstring user = userName();
    const std::wstring temp = tempFolder();
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session) || user.empty() || temp.empty())
        return {};
    const std::wstring name = L"plotvane-" + std::to_wstring(session) + L"-" + user;
    return {toUtf8(name), toUtf8(temp + name + L".lock")};
}

void letHandOverComeForward()
{
    AllowSetForegroundWindow(ASFW_ANY);
}
