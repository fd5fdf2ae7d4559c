#include "app/qt/Appearance.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>
#include <QWidget>

#include "app/SkinComponent.h"
#include "platform/FileSystem.h"

namespace {

void takeButtonFace(QWidget& widget)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

bool isPlainContainer(const QWidget& widget)
{
    return qobject_cast<const QGroupBox*>(&widget) || qobject_cast<const QLabel*>(&widget)
           || qobject_cast<const QCheckBox*>(&widget) || qobject_cast<const QRadioButton*>(&widget);
}

}  // namespace

void applyAppearance(QWidget& window, FileSystem& fileSystem, SkinComponent& skin, const std::string& skinPath)
{
    if (!fileSystem.listingFindsEntry(skinPath, false))
        return;
    takeButtonFace(window);
    for (QWidget* control : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (isPlainContainer(*control))
            takeButtonFace(*control);
    }
    skin.loadSkin(skinPath, "");
    skin.setApplicationOptions(skin.applicationOptions() | 1);
    skin.setOption(5, true);
    skin.setOption(10, true);
    skin.applyWindow(static_cast<std::intptr_t>(window.winId()));
}
