#include "app/qt/PictureButton.h"

#include <QLabel>
#include <QVBoxLayout>

PictureButton::PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent)
    : QPushButton(parent), m_caption(new QLabel(caption, this))
{
    setAccessibleName(caption);
    auto* image = new QLabel(this);
    image->setPixmap(picture);
    image->setAlignment(Qt::AlignCenter);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setWordWrap(true);
    for (QLabel* label : {image, m_caption})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 4, 2, 4);
    layout->setSpacing(2);
    layout->addWidget(image);
    layout->addWidget(m_caption);
}

QString PictureButton::caption() const
{
    return m_caption->text();
}
