#include "printing/PrinterOptions.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <vector>

#include "app/ErrorTrap.h"
#include "app/Failure.h"
#include "platform/Dialogs.h"
#include "platform/Printers.h"
#include "printing/Selector.h"
#include "settings/SettingsStore.h"

namespace PrinterOptions {

int savedPosition(const std::string& text)
{
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    std::size_t end = text.size();
    while (end > at && text[end - 1] == ' ')
        --end;
    bool negative = false;
    if (at < end && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at == end)
        throw Failure("Type mismatch");
    long value = 0;
    for (; at < end; ++at) {
        if (!std::isdigit(static_cast<unsigned char>(text[at])))
            throw Failure("Type mismatch");
        if (value <= 100000)
            value = value * 10 + (text[at] - '0');
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw Failure("Overflow");
    return static_cast<int>(value);
}

void FillPrinterList(Printers& printers, SettingsStore& settings, Selector& combo1)
{
    const std::string defaultPrinter = printers.defaultName();
    const std::vector<std::string> names = printers.names();
    const int first = combo1.count();
    for (const std::string& name : names)
        combo1.addItem(name);
    const std::string saved = settings.GetSetting(Settings::Application, Settings::Section, PrinterKey, "");
    if (!saved.empty()) {
        const int position = savedPosition(saved);
        if (position < -1 || position >= combo1.count())
            throw Failure("Invalid property value");
        combo1.select(position);
        return;
    }
    if (defaultPrinter.empty())
        return;
    const auto found = std::find(names.begin(), names.end(), defaultPrinter);
    if (found != names.end())
        combo1.select(first + static_cast<int>(found - names.begin()));
}

void PushButton8_Click(Dialogs& dialogs, const Lifetime& lifetime)
{
    ErrorTrap trap(dialogs, lifetime, HelpLocation);
    trap.step(100, [&] {
        MessageRequest box;
        box.text = PauseHelpText;
        box.buttons = MessageButtons::Ok;
        box.icon = MessageIcon::None;
        dialogs.message(box);
    });
}

}  // namespace PrinterOptions
