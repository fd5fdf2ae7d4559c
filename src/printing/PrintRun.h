#pragma once

#include <string>

#include "printing/PrintRunObserver.h"
#include "printing/Waiter.h"

class Clock;
class DiagramAppAdapter;
class EventPump;
class Lifetime;
class ListItems;
class MessageBoxes;
class PrintView;
class WindowPointer;

// "Start Printing": prints every listed file in order, each through a fresh
// instance of the diagram application, on the printer chosen in the printer
// selector, pausing after each file for the chosen time. Runs on the window's
// thread and yields to its events between steps, so a second click can arrive
// in the middle of a run; it is turned away. When the program ends in the
// middle of a run, the instance in work is ended with it, so that no invisible
// instance of the outside application stays behind.
class PrintRun final {
public:
    static constexpr const char* Location = "in Sheetwick2021/08/31.Form1.PushButton2_Click ";
    static constexpr const char* IdleText = "Progress Bar";
    static constexpr const char* ProcessingPrefix = "Processing: ";
    static constexpr const char* DoneText = "Done.";
    static constexpr const char* NoFilesText = "No files added.";

    PrintRun(ListItems& list, PrintView& view, DiagramAppAdapter& adapter, WindowPointer& pointer, MessageBoxes& boxes,
             Clock& clock, EventPump& pump, Lifetime& lifetime);
    // The same, telling `observer` what becomes of each file.
    PrintRun(ListItems& list, PrintView& view, DiagramAppAdapter& adapter, WindowPointer& pointer, MessageBoxes& boxes,
             Clock& clock, EventPump& pump, Lifetime& lifetime, PrintRunObserver& observer);
    ~PrintRun();
    PrintRun(const PrintRun&) = delete;
    PrintRun& operator=(const PrintRun&) = delete;

    // "Start Printing".
    void startPrinting();
    bool isPrinting() const { return m_isPrinting; }

    // The pause after a file for a pause entry: its first character as a digit
    // d gives d + 1 seconds. Throws Failure when that character is no digit.
    static int pauseSeconds(const std::string& pauseText);
    // Why a file whose printer could not be set was not printed.
    static std::string notPrintedText(const std::string& printer);

private:
    void printFiles(class ErrorTrap& trap);
    void tellSent(int position, PrintHandOff sent, const std::string& printer);
    // The path of the entry after position i of the run's n, or empty.
    std::string pathAfter(int i, int n) const;

    ListItems& m_list;
    PrintView& m_view;
    DiagramAppAdapter& m_adapter;
    WindowPointer& m_pointer;
    MessageBoxes& m_boxes;
    EventPump& m_pump;
    Lifetime& m_lifetime;
    NoRunObserver m_noObserver;
    PrintRunObserver& m_observer;
    Waiter m_waiter;
    int m_endInstancesOnExit;
    bool m_isPrinting = false;
};
