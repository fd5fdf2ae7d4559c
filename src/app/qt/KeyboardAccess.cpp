#include "app/qt/KeyboardAccess.h"

#include <QKeyEvent>
#include <QPushButton>

#include "app/qt/FocusRing.h"
#include "app/qt/MainWindow.h"
#include "app/qt/PictureButton.h"
#include "filelist/qt/FileListView.h"

namespace {

using Button = MainWindow::Button;

const char* const ListName = "Files to print";
const char* const ExplainPauseName = "About the pause";

// The word of each caption whose first character is its mnemonic; no two
// share a character.
const struct {
    Button button;
    const char* word;
} Mnemonics[] = {
    {Button::AddFiles, "Add"},     {Button::StartPrinting, "Start"}, {Button::ClearList, "Clear"},
    {Button::AddFolder, "Folder"}, {Button::MoveUp, "Up"},           {Button::MoveDown, "Down"},
    {Button::LoadSamples, "Load"}, {Button::ExplainPause, "?"},
};

// Return and Enter click the button they are pressed on, once per press.
class EnterPresses final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
        const bool enter = key && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                           && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        auto* button = enter ? qobject_cast<QAbstractButton*>(watched) : nullptr;
        if (!button)
            return QObject::eventFilter(watched, event);
        if (!key->isAutoRepeat())
            button->click();
        return true;
    }
};

QString withMnemonic(const QString& caption, const char* word)
{
    const qsizetype at = caption.indexOf(QString::fromLatin1(word));
    if (at < 0)
        return caption;
    QString marked = caption;
    marked.insert(at, QLatin1Char('&'));
    return marked;
}

void giveMnemonic(QPushButton& button, const char* word)
{
    if (auto* picture = qobject_cast<PictureButton*>(&button))
        picture->setCaption(withMnemonic(picture->caption(), word));
    else
        button.setText(withMnemonic(button.text(), word));
}

}  // namespace

void openToKeyboardAndReaders(MainWindow& window)
{
    window.fileList().setAccessibleName(QString::fromLatin1(ListName));
    window.button(Button::ExplainPause).setAccessibleName(QString::fromLatin1(ExplainPauseName));

    auto* enterPresses = new EnterPresses(&window);
    QList<QWidget*> ringed{&window.fileList()};
    for (const auto& mnemonic : Mnemonics) {
        QPushButton& button = window.button(mnemonic.button);
        giveMnemonic(button, mnemonic.word);
        button.installEventFilter(enterPresses);
        ringed << &button;
    }
    new FocusRing(ringed, &window);
}
