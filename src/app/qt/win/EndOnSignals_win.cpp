#include "app/qt/EndOnSignals.h"

// The automation server's instances are separate programs that the system
// does not end with this one, and Windows asks a windowed program to end by
// closing its window, which ends the program in order already.
EndOnSignals::EndOnSignals(Lifetime& lifetime, std::function<void(int signal)> received, QObject* parent)
    : QObject(parent), m_lifetime(lifetime), m_received(std::move(received))
{
}

EndOnSignals::~EndOnSignals() = default;
