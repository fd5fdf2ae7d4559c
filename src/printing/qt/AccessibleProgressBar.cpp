#include "printing/qt/AccessibleProgressBar.h"

#include <QAccessibleWidget>
#include <cmath>

#include "printing/qt/ProgressBar.h"

namespace {

class AccessibleBar final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleBar(ProgressBar* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && bar().accessibleName().isEmpty())
            return bar().text();
        if (kind == QAccessible::Value)
            return QStringLiteral("%1%").arg(std::lround(bar().value()));
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return bar().value(); }
    // The bar shows the print run's progress; it is not set from outside.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100.0; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    const ProgressBar& bar() const { return *static_cast<const ProgressBar*>(object()); }
};

}  // namespace

QAccessibleInterface* accessibleProgressBar(const QString& className, QObject* object)
{
    if (className != QLatin1String("ProgressBar"))
        return nullptr;
    auto* bar = qobject_cast<ProgressBar*>(object);
    return bar ? new AccessibleBar(bar) : nullptr;
}
