#include "settings/SettingKeys.h"

const char* keyOf(Setting setting)
{
    switch (setting) {
    case Setting::PrinterPosition:
        return "Combo1";
    case Setting::PausePosition:
        return "Combo2";
    case Setting::ScanExtension:
        return "Extension";
    case Setting::ScanFolder:
        return "LastFolder";
    case Setting::SampleRecord:
        return "Snapshot";
    case Setting::ConversionLimit:
        return "ConversionSeconds";
    }
    return "";
}
