#pragma once

#include <memory>

#include "printing/DiagramApp.h"
#include "printing/posix/OfficeEngine.h"

// A reference to one private LibreOffice instance: opening renders the drawing
// to PDF, printing hands that PDF to the chosen CUPS queue.
std::unique_ptr<DiagramApp> makeOfficeInstance(std::shared_ptr<OfficeEngine> engine,
                                               std::shared_ptr<OfficeInstanceState> state);
