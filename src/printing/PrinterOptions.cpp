#include "printing/PrinterOptions.h"

#include <algorithm>
#include <vector>

#include "base/ErrorTrap.h"
#include "base/Failure.h"
#include "platform/Dialogs.h"
#include "platform/Printers.h"
#include "printing/Selector.h"
#include "settings/SettingsStore.h"
#include "settings/StoredNumber.h"

namespace PrinterOptions {

void FillPrinterList(Printers& printers, SettingsStore& settings, Selector& combo1)
{
    const std::string defaultPrinter = printers.defaultName();
    const std::vector<std::string> names = printers.names();
    const int first = combo1.count();
    for (const std::string& name : names)
        combo1.addItem(name);
    const std::string saved = settings.GetSetting(Settings::Application, Settings::Section, PrinterKey, "");
    if (!saved.empty()) {
        const int position = toInteger16(saved);
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
