#include "platform/qt/QtDialogs.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// The open-file dialog of the add command. A typed name is taken whether or
// not such a file exists (nothing is checked here; the list takes the names as
// they come), and with multiSelect several files can be picked at once. A
// folder, picked or typed, still opens.
class OpenFilesDialog final : public QFileDialog {
public:
    OpenFilesDialog(QWidget* owner, const QString& title, bool multiSelect) : QFileDialog(owner, title)
    {
        setOption(QFileDialog::DontUseNativeDialog);
        setAcceptMode(QFileDialog::AcceptOpen);
        // The mode for files that may not exist takes one file; its two file
        // views are opened up to take several.
        setFileMode(QFileDialog::AnyFile);
        if (multiSelect) {
            for (const char* name : {"listView", "treeView"}) {
                if (auto* view = findChild<QAbstractItemView*>(QLatin1String(name)))
                    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
            }
        }
    }

    // The names in the file name field, which shows what was typed or picked in
    // the view, as full paths in their order; several names stand in quotes.
    QStringList pickedFiles() const
    {
        const auto* field = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QString text = field ? field->text().trimmed() : QString();
        if (text.isEmpty())
            return selectedFiles();
        QStringList names;
        if (text.contains(QLatin1Char('"'))) {
            const QStringList tokens = text.split(QLatin1Char('"'));
            for (qsizetype i = 1; i < tokens.size(); i += 2)
                names << tokens[i];
        } else {
            names << text;
        }
        const QDir folder = directory();
        QStringList paths;
        for (const QString& name : names) {
            if (!name.isEmpty())
                paths << QDir::cleanPath(folder.absoluteFilePath(name));
        }
        return paths;
    }

    void accept() override
    {
        const QStringList files = pickedFiles();
        if (files.isEmpty())
            return;
        for (const QString& file : files) {
            if (QFileInfo(file).isDir()) {
                QFileDialog::accept();
                return;
            }
        }
        QDialog::accept();
    }
};

// One filter: the description shown, the pattern applied. A description that
// already names its pattern in brackets is shown as it is.
QString nameFilter(const std::string& description, const std::string& pattern)
{
    const QString shown = QString::fromStdString(description);
    const QString wildcard = QString::fromStdString(pattern);
    if (wildcard.isEmpty() || shown.endsWith(QLatin1Char('(') + wildcard + QLatin1Char(')')))
        return shown;
    return shown + QStringLiteral(" (") + wildcard + QLatin1Char(')');
}

}  // namespace

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
    // A fresh dialog each time, with no starting folder of the program's own.
    OpenFilesDialog dialog(m_owner, QString::fromStdString(request.title), request.multiSelect);
    dialog.setNameFilter(nameFilter(request.filterDescription, request.filterPattern));
    dialog.selectFile(QString::fromStdString(request.fileName));
    OpenFilesResult result;
    if (dialog.exec() != QDialog::Accepted)
        return result;
    for (const QString& path : dialog.pickedFiles())
        result.paths.push_back(QDir::toNativeSeparators(path).toStdString());
    return result;
}

std::string QtDialogs::browseFolder(const std::string& prompt, const std::string& startFolder)
{
    const QString chosen = QFileDialog::getExistingDirectory(m_owner, QString::fromStdString(prompt),
                                                             QString::fromStdString(startFolder));
    return QDir::toNativeSeparators(chosen).toStdString();
}
