#include "settings/SettingKeys.h"

#include <iterator>

const char* keyOf(Setting setting)
{
    // In the order of the enumeration.
    static const char* const keys[] = {"Combo1", "Combo2", "Extension", "LastFolder", "Snapshot", "ConversionSeconds"};
    const auto index = static_cast<std::size_t>(setting);
    return index < std::size(keys) ? keys[index] : "";
}
