#include "app/NativeServices.h"

#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Printers.h"
#include "platform/win/Win32Shell.h"
#include "printing/win/ComDiagramAppFactory.h"

// Made on the user-interface thread: the automation factory joins that thread
// to a single-threaded COM apartment for as long as it lives. Its calls are
// synchronous, as the automation server's are, so it needs neither the events
// nor the lifetime.
NativeServices makeNativeServices(EventPump&, const Lifetime&, int)
{
    return {std::make_unique<Win32FileSystem>(), std::make_unique<Win32Printers>(),
            std::make_unique<ComDiagramAppFactory>(), std::make_unique<Win32Shell>()};
}
