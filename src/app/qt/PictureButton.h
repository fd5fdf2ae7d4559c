#pragma once

#include <QPushButton>

class QLabel;

// A push button that shows a picture above its caption, the caption wrapped to
// the button's width (the move buttons).
class PictureButton final : public QPushButton {
    Q_OBJECT
public:
    PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent = nullptr);
    // The caption as shown, without its mnemonic mark.
    QString caption() const;
    // An '&' in the caption marks its mnemonic: Alt and that character click
    // the button, and the caption underlines it where the platform shows
    // mnemonics.
    void setCaption(const QString& caption);

private:
    QLabel* m_caption;
};
