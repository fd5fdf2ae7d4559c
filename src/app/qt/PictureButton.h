#pragma once

#include <QPushButton>

class QLabel;

// A push button that shows a picture above its caption, the caption wrapped to
// the button's width (the move buttons).
class PictureButton final : public QPushButton {
    Q_OBJECT
public:
    PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent = nullptr);
    QString caption() const;

private:
    QLabel* m_caption;
};
