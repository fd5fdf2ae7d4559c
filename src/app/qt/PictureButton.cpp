#include "app/qt/PictureButton.h"

#include <QLabel>
#include <QVBoxLayout>

PictureButton::PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent)
    : QPushButton(parent), m_caption(new QLabel(this))
{
    setCaption(caption);
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
    return QString(m_caption->text()).remove(QLatin1Char('&'));
}

void PictureButton::setCaption(const QString& caption)
{
    // A label clicks the button it is the buddy of when its mnemonic is pressed.
    m_caption->setText(caption);
    m_caption->setBuddy(this);
    setAccessibleName(this->caption());
}
