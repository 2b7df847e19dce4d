// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/scaledaccessible.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QWidget>

#include <cmath>

namespace toolkit {

namespace {

// How many pixels a unit of @p w covers on screen: 1 unless it is drawn through a view.
qreal drawnFactor(const QWidget *w)
{
    const QGraphicsProxyWidget *proxy = w->window()->graphicsProxyWidget();
    if (!proxy || !proxy->scene() || proxy->scene()->views().isEmpty())
        return 1.0;
    const QTransform t =
        proxy->sceneTransform() * proxy->scene()->views().first()->viewportTransform();
    return std::sqrt(std::abs(t.determinant()));
}

} // namespace

void ScaledAccessible::follow(QWidget *content)
{
    // Qt asks its own factory before any installed later, so the description is put in Qt's
    // register in place of its own, which the register keeps for the new one to ask.
    QList<QWidget *> widgets = content->findChildren<QWidget *>();
    widgets.prepend(content);
    for (QWidget *w : widgets) {
        QAccessibleInterface *own = QAccessible::queryAccessibleInterface(w);
        if (own && !dynamic_cast<ScaledAccessible *>(own))
            QAccessible::registerAccessibleInterface(new ScaledAccessible(own));
    }
}

ScaledAccessible::ScaledAccessible(QAccessibleInterface *own)
    : m_own(own), m_ownId(QAccessible::uniqueId(own))
{ }

ScaledAccessible::~ScaledAccessible()
{
    // Qt forgets this description when the control goes; its own one goes with it.
    QAccessible::deleteAccessibleInterface(m_ownId);
}

bool ScaledAccessible::isValid() const
{
    return m_own->isValid();
}

QObject *ScaledAccessible::object() const
{
    return m_own->object();
}

QWindow *ScaledAccessible::window() const
{
    return m_own->window();
}

QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
ScaledAccessible::relations(QAccessible::Relation match) const
{
    return m_own->relations(match);
}

QAccessibleInterface *ScaledAccessible::focusChild() const
{
    return m_own->focusChild();
}

QAccessibleInterface *ScaledAccessible::childAt(int x, int y) const
{
    // Qt's answer compares the point with the unscaled rectangles.
    if (!rect().contains(x, y))
        return nullptr;
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface *c = child(i);
        if (c && c->isValid() && c->rect().contains(x, y))
            return c;
    }
    return nullptr;
}

QAccessibleInterface *ScaledAccessible::parent() const
{
    return m_own->parent();
}

QAccessibleInterface *ScaledAccessible::child(int index) const
{
    return m_own->child(index);
}

int ScaledAccessible::childCount() const
{
    return m_own->childCount();
}

int ScaledAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return m_own->indexOfChild(child);
}

QString ScaledAccessible::text(QAccessible::Text t) const
{
    return m_own->text(t);
}

void ScaledAccessible::setText(QAccessible::Text t, const QString &text)
{
    m_own->setText(t, text);
}

QRect ScaledAccessible::rect() const
{
    // Qt places the corner right, through the view, and leaves the size unscaled.
    const QRect r = m_own->rect();
    const auto *w = qobject_cast<const QWidget *>(object());
    if (!w || r.isEmpty())
        return r;
    const qreal factor = drawnFactor(w);
    return factor == 1.0
        ? r
        : QRect(r.topLeft(),
                QSize(int(std::lround(r.width() * factor)), int(std::lround(r.height() * factor))));
}

QAccessible::Role ScaledAccessible::role() const
{
    return m_own->role();
}

QAccessible::State ScaledAccessible::state() const
{
    return m_own->state();
}

QColor ScaledAccessible::foregroundColor() const
{
    return m_own->foregroundColor();
}

QColor ScaledAccessible::backgroundColor() const
{
    return m_own->backgroundColor();
}

void *ScaledAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return m_own->interface_cast(type);
}

} // namespace toolkit
