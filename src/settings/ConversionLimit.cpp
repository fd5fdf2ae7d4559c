#include "settings/ConversionLimit.h"

#include <exception>
#include <string>

#include "settings/SettingsStore.h"
#include "settings/StoredNumber.h"

int conversionSeconds(SettingsStore& settings)
{
    try {
        const int seconds
            = toInteger16(settings.read(Setting::ConversionLimit, std::to_string(DefaultConversionSeconds)));
        return seconds >= 1 ? seconds : DefaultConversionSeconds;
    } catch (const std::exception&) {
        return DefaultConversionSeconds;
    }
}
