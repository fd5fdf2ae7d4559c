#include "app/NativeServices.h"

#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Printers.h"
#include "platform/win/Win32Shell.h"
#include "printing/win/ComDiagramAppFactory.h"

// Made on the user-interface thread: the automation factory joins that thread
// to a single-threaded COM apartment for as long as it lives.
NativeServices makeNativeServices()
{
    return {std::make_unique<Win32FileSystem>(), std::make_unique<Win32Printers>(),
            std::make_unique<ComDiagramAppFactory>(), std::make_unique<Win32Shell>()};
}
