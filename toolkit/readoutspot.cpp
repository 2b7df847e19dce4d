// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/readoutspot.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace toolkit {

namespace {

// Read as static text named after the label and the value, with the value on its own too.
class ReadoutAccessible : public QAccessibleWidget
{
public:
    explicit ReadoutAccessible(ReadoutSpot *spot) : QAccessibleWidget(spot, QAccessible::StaticText)
    { }

    QString text(QAccessible::Text t) const override
    {
        const auto *spot = static_cast<const ReadoutSpot *>(widget());
        if (t == QAccessible::Name)
            return spot->label() + QStringLiteral(" : ") + spot->value();
        if (t == QAccessible::Value)
            return spot->value();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *readoutAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("toolkit::ReadoutSpot") && object && object->isWidgetType())
        return new ReadoutAccessible(static_cast<ReadoutSpot *>(object));
    return nullptr;
}

} // namespace

ReadoutSpot::ReadoutSpot(QWidget *parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(readoutAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void ReadoutSpot::setLabel(const QString &label)
{
    if (label == m_label)
        return;
    m_label = label;
    announce();
}

void ReadoutSpot::setValue(const QString &value)
{
    if (value == m_value)
        return;
    m_value = value;
    announce();
}

void ReadoutSpot::announce()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleValueChangeEvent changed(this, m_value);
    QAccessible::updateAccessibility(&changed);
}

} // namespace toolkit
