#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>

class Lifetime;
class QWidget;

// Closing the main window ends the program also while a message box is open
// ("Done.", an error report, a question). Qt turns away a close request for a
// window that a modal box blocks before the window ever sees it, so the
// request is taken from the window system here, ahead of Qt: a close of the
// main window that arrives while a modal window is up ends the program's
// life, as the window's own close does when no box is open. Where the window
// system gives no such request (the offscreen platform of the tests), this
// watches nothing.
class CloseOverBoxes final : public QAbstractNativeEventFilter {
public:
    CloseOverBoxes(const QWidget& window, Lifetime& lifetime);
    ~CloseOverBoxes() override;
    CloseOverBoxes(const CloseOverBoxes&) = delete;
    CloseOverBoxes& operator=(const CloseOverBoxes&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    const QWidget& m_window;
    Lifetime& m_lifetime;
    bool m_installed = false;
    std::uint32_t m_protocols = 0;  // the window system's names of the close request
    std::uint32_t m_deleteWindow = 0;
};
