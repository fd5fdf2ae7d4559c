#pragma once

#include <memory>

#include "platform/Printers.h"
#include "printing/DiagramApp.h"

// The real diagram application and printers of the system the program runs on
// (one implementation per platform).
std::unique_ptr<DiagramAppFactory> makeSystemDiagramAppFactory();
std::unique_ptr<Printers> makeSystemPrinters();
