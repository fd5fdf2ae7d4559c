#include "app/qt/WindowNote.h"

#include <QMessageBox>

void showWindowNote(QWidget& window, const QString& text)
{
    auto* note = new QMessageBox(QMessageBox::Warning, window.windowTitle(), text, QMessageBox::Ok, &window);
    note->setObjectName(QStringLiteral("windowNote"));
    note->setTextFormat(Qt::PlainText);
    note->setWindowModality(Qt::NonModal);
    note->setAttribute(Qt::WA_DeleteOnClose);
    note->show();
}
