#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Dialogs.h"

// The program's boxes and dialogs as Qt dialogs owned by the main window.
class QtDialogs final : public Dialogs {
public:
    QtDialogs() = default;
    // The window that owns every box from now on.
    void setOwner(QWidget* owner) { m_owner = owner; }

    void setApplicationTitle(const std::string& title) override { m_title = title; }
    std::string applicationTitle() const override { return m_title; }
    MessageAnswer message(const MessageRequest& request) override;
    std::string prompt(const std::string& text, const std::string& title, const std::string& initial) override;
    OpenFilesResult openFiles(const OpenFilesRequest& request) override;
    std::string browseFolder(const std::string& prompt, const std::string& startFolder) override;

    // A lone carriage return is no line break on this platform's boxes: every CR,
    // CR LF and LF becomes one line break for display. The text itself is kept
    // exactly as built.
    static QString displayText(const std::string& text);

private:
    QString titleOr(const std::string& title) const;

    QPointer<QWidget> m_owner;
    std::string m_title;
};
