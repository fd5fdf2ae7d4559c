#pragma once

#include <string>

class Lifetime;
class MessageBoxes;
class Printers;
class Selector;
class SettingsStore;

// The printer and pause choices of the main window.
namespace PrinterOptions {

inline const char* const ExplainPauseLocation = "in Sheetwick2021/08/31.Form1.PushButton8_Click ";
inline const char* const PauseHelpText
    = "Please use this pause feature if blank pages are being printed or if files are being skipped.\r\n\r\n"
      "By pausing, you will give time for the print jobs to queue properly with the physical printer.";

// Lists the system's printers in the printer selector and restores the choice:
// the saved position when one is saved, otherwise the default printer. Throws
// Failure, with the entries added so far left in place, when no printer can be
// read or the saved position does not fit the list.
void fillPrinterList(Printers& printers, SettingsStore& settings, Selector& printerChoice);

// Selects the saved pause, 5 seconds when none is saved. Throws Failure when
// the saved position is no number or does not fit the list; -1 selects none.
void restorePause(SettingsStore& settings, Selector& pauseChoice);

// "?": explains what the pause is for.
void explainPause(MessageBoxes& boxes, const Lifetime& lifetime);

}  // namespace PrinterOptions
