#include "platform/win/SystemMessage.h"

#include <windows.h>

#include <cstdio>

#include "platform/win/WideText.h"

namespace {

std::wstring formatFromSystem(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD length
        = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length > 0 && buffer)
        text.assign(buffer, length);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}

}  // namespace

std::string systemText(unsigned long code)
{
    std::wstring text = formatFromSystem(code);
    // An HRESULT that wraps a Win32 error is known to the system by its Win32 code.
    if (text.empty() && HRESULT_FACILITY(code) == FACILITY_WIN32)
        text = formatFromSystem(HRESULT_CODE(code));
    return toUtf8(text);
}

std::string systemMessage(unsigned long code)
{
    const std::string text = systemText(code);
    if (!text.empty())
        return text;
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "Error 0x%08lX", code);
    return fallback;
}
