#include "app/qt/CloseOverBoxes.h"

// Windows disables the owner of an open message box, so its close box cannot
// be pressed until the box is answered; there is no close to take over here.
CloseOverBoxes::CloseOverBoxes(const QWidget& window, Lifetime& lifetime) : m_window(window), m_lifetime(lifetime) {}

CloseOverBoxes::~CloseOverBoxes() = default;

bool CloseOverBoxes::nativeEventFilter(const QByteArray&, void*, qintptr*)
{
    return false;
}
