#include "app/NativeServices.h"

#include "platform/posix/CupsPrinters.h"
#include "platform/posix/DesktopShell.h"
#include "platform/posix/PosixFileSystem.h"
#include "printing/posix/OfficeAppFactory.h"

NativeServices makeNativeServices()
{
    return {std::make_unique<PosixFileSystem>(), std::make_unique<CupsPrinters>(), std::make_unique<OfficeAppFactory>(),
            std::make_unique<DesktopShell>()};
}
