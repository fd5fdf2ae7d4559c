#include "printing/PrinterOptions.h"

#include <algorithm>
#include <vector>

#include "base/ErrorTrap.h"
#include "base/Failure.h"
#include "base/MessageBoxes.h"
#include "platform/Printers.h"
#include "printing/Selector.h"
#include "settings/SettingsStore.h"
#include "settings/StoredNumber.h"

namespace PrinterOptions {

namespace {

// Selects the stored position; -1 selects nothing.
void selectStored(Selector& choice, const std::string& stored)
{
    const int position = toInteger16(stored);
    if (position < -1 || position >= choice.count())
        throw Failure("Invalid property value");
    choice.select(position);
}

}  // namespace

void fillPrinterList(Printers& printers, SettingsStore& settings, Selector& printerChoice)
{
    const std::string defaultPrinter = printers.defaultName();
    const std::vector<std::string> names = printers.names();
    const int first = printerChoice.count();
    for (const std::string& name : names)
        printerChoice.addItem(name);
    const std::string saved = settings.read(Setting::PrinterPosition, "");
    if (!saved.empty()) {
        selectStored(printerChoice, saved);
        return;
    }
    if (defaultPrinter.empty())
        return;
    const auto found = std::find(names.begin(), names.end(), defaultPrinter);
    if (found != names.end())
        printerChoice.select(first + static_cast<int>(found - names.begin()));
}

void restorePause(SettingsStore& settings, Selector& pauseChoice)
{
    selectStored(pauseChoice, settings.read(Setting::PausePosition, "5"));
}

void explainPause(MessageBoxes& boxes, const Lifetime& lifetime)
{
    ErrorTrap trap(boxes, lifetime, ExplainPauseLocation);
    trap.step(100, [&] { tell(boxes, PauseHelpText); });
}

}  // namespace PrinterOptions
