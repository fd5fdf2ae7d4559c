#include "platform/qt/QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

QString QtDialogs::displayText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString QtDialogs::titleOr(const std::string& title) const
{
    return QString::fromStdString(title.empty() ? m_title : title);
}

MessageAnswer QtDialogs::message(const MessageRequest& request)
{
    QMessageBox box(m_owner);
    box.setWindowTitle(titleOr(request.title));
    box.setText(displayText(request.text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(request.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(request.defaultYes ? QMessageBox::Yes : QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

std::string QtDialogs::prompt(const std::string& text, const std::string& title, const std::string& initial)
{
    bool accepted = false;
    const QString answer = QInputDialog::getText(m_owner, titleOr(title), displayText(text), QLineEdit::Normal,
                                                 QString::fromStdString(initial), &accepted);
    return accepted ? answer.toStdString() : std::string();
}

OpenFilesResult QtDialogs::openFiles(const OpenFilesRequest& request)
{
    QFileDialog dialog(m_owner, QString::fromStdString(request.title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromStdString(request.filterDescription));
    dialog.selectFile(QString::fromStdString(request.fileName));
    OpenFilesResult result;
    if (dialog.exec() != QDialog::Accepted)
        return result;
    for (const QString& path : dialog.selectedFiles())
        result.paths.push_back(QDir::toNativeSeparators(path).toStdString());
    return result;
}

std::string QtDialogs::browseFolder(const std::string& prompt, const std::string& startFolder)
{
    const QString chosen = QFileDialog::getExistingDirectory(m_owner, QString::fromStdString(prompt),
                                                             QString::fromStdString(startFolder));
    return QDir::toNativeSeparators(chosen).toStdString();
}
