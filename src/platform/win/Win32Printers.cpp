#include "platform/win/Win32Printers.h"

#include <windows.h>
#include <winspool.h>

#include <cwchar>
#include <vector>

#include "base/Failure.h"
#include "platform/win/SystemMessage.h"
#include "platform/win/WideText.h"

std::vector<std::string> Win32Printers::names()
{
    // Level 4 holds only names and is answered from the spooler's own list,
    // without asking each print server.
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD count = 0;
    std::vector<BYTE> buffer;
    while (!EnumPrintersW(flags, nullptr, 4, buffer.empty() ? nullptr : buffer.data(),
                          static_cast<DWORD>(buffer.size()), &needed, &count)) {
        const DWORD error = GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size())
            throw Failure(systemMessage(error));
        buffer.resize(needed);
    }
    std::vector<std::string> result;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        result.push_back(toUtf8(std::wstring(printers[i].pPrinterName ? printers[i].pPrinterName : L"")));
    return result;
}

std::string Win32Printers::defaultName()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    DWORD error = GetLastError();
    if (error == ERROR_INSUFFICIENT_BUFFER && size > 0) {
        std::wstring name(size, L'\0');
        if (GetDefaultPrinterW(name.data(), &size)) {
            name.resize(wcslen(name.c_str()));
            return toUtf8(name);
        }
        error = GetLastError();
    }
    // No default printer is set. That is only a failure when there is no printer at all.
    if (error == ERROR_FILE_NOT_FOUND) {
        if (names().empty())
            throw Failure("No printer is installed");
        return {};
    }
    throw Failure(systemMessage(error));
}
