#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PortableTest.h"
#include "platform/win/SystemMessage.h"
#include "platform/win/Win32Printers.h"
#include "platform/win/WideText.h"

namespace {

const wchar_t* const DriverName = L"Plotvane Test Driver";

// Printers added to the spooler for one test, on the system's PostScript driver
// printing to a file, and removed again with the driver when dropped.
class AddedPrinters final {
public:
    AddedPrinters()
    {
        DRIVER_INFO_3W driver{};
        driver.cVersion = 3;
        driver.pName = const_cast<wchar_t*>(DriverName);
        driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
        driver.pDataFile = const_cast<wchar_t*>(L"generic.ppd");
        driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
        m_driver = AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES) != FALSE;
        if (!m_driver)
            m_whyNot = systemMessage(GetLastError());
    }
    ~AddedPrinters()
    {
        for (const auto& name : m_names) {
            HANDLE printer = nullptr;
            if (OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, nullptr)) {
                DeletePrinter(printer);
                ClosePrinter(printer);
            }
        }
        if (m_driver)
            DeletePrinterDriverW(nullptr, nullptr, const_cast<wchar_t*>(DriverName));
    }
    AddedPrinters(const AddedPrinters&) = delete;
    // False where the test driver cannot be installed (no Wine PostScript driver).
    bool ready() const { return m_driver; }
    const std::string& whyNotReady() const { return m_whyNot; }
    AddedPrinters& operator=(const AddedPrinters&) = delete;

    bool add(const std::string& name)
    {
        const std::wstring wide = toWide(name);
        PRINTER_INFO_2W info{};
        info.pPrinterName = const_cast<wchar_t*>(wide.c_str());
        info.pPortName = const_cast<wchar_t*>(L"FILE:");
        info.pDriverName = const_cast<wchar_t*>(DriverName);
        info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
        info.pDatatype = const_cast<wchar_t*>(L"RAW");
        HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
        if (!printer)
            return false;
        ClosePrinter(printer);
        m_names.push_back(wide);
        return true;
    }

private:
    bool m_driver = false;
    std::string m_whyNot;
    std::vector<std::wstring> m_names;
};

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

PV_TEST(printersAreListedByDeviceNameWithTheDefaultAmongThem)
{
    Win32Printers printers;
    const bool noneBefore = printers.names().empty();
    {
        AddedPrinters added;
        if (!added.ready()) {
            portable_test::fail(__FILE__, __LINE__, "no test printer driver can be added: " + added.whyNotReady());
            return;
        }
        PV_CHECK(added.add("Plotter A") && added.add("Plotter Ä 2"));
        PV_CHECK(SetDefaultPrinterW(L"Plotter Ä 2"));

        const auto names = printers.names();
        PV_CHECK(contains(names, "Plotter A"));
        PV_CHECK(contains(names, "Plotter Ä 2"));
        PV_CHECK_EQ(printers.names(), names);  // the same order every time
        PV_CHECK_EQ(printers.defaultName(), std::string("Plotter Ä 2"));
    }
    // Without any printer the default cannot be read: that is a failure, not an empty name.
    if (noneBefore) {
        PV_CHECK(printers.names().empty());
        PV_CHECK(portable_test::failureOf([&] { printers.defaultName(); }) != "(no failure)");
    }
}
