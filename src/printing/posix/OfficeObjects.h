#pragma once

#include <memory>

#include "printing/DiagramApp.h"
#include "printing/posix/OfficeEngine.h"

// A reference to one LibreOffice instance, answering the members the program
// uses: Documents, ActiveDocument, ActivePrinter, name and Quit.
std::unique_ptr<DiagramApp> makeOfficeInstance(std::shared_ptr<OfficeEngine> engine,
                                               std::shared_ptr<OfficeInstanceState> state);
