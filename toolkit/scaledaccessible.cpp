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

// The view that shows @p w, when @p w is drawn through one.
QGraphicsView *viewShowing(const QWidget *w)
{
    const QGraphicsProxyWidget *proxy = w->graphicsProxyWidget();
    if (!proxy || !proxy->scene() || proxy->scene()->views().isEmpty())
        return nullptr;
    return proxy->scene()->views().first();
}

// The widgets shown through @p o when it is a view: without a parent widget, Qt counts them
// nowhere in the tree a screen reader walks.
QList<QWidget *> shownThrough(const QObject *o)
{
    QList<QWidget *> shown;
    const auto *view = qobject_cast<const QGraphicsView *>(o);
    if (!view || !view->scene())
        return shown;
    for (QGraphicsItem *item : view->scene()->items()) {
        if (const auto *proxy = dynamic_cast<QGraphicsProxyWidget *>(item);
            proxy && proxy->widget() && !proxy->parentItem())
            shown << proxy->widget();
    }
    return shown;
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
    if (const auto *w = qobject_cast<const QWidget *>(object())) {
        if (QGraphicsView *view = viewShowing(w))
            return QAccessible::queryAccessibleInterface(view);
    }
    return m_own->parent();
}

QAccessibleInterface *ScaledAccessible::child(int index) const
{
    const int own = m_own->childCount();
    if (index < own)
        return m_own->child(index);
    return QAccessible::queryAccessibleInterface(shownThrough(object()).value(index - own));
}

int ScaledAccessible::childCount() const
{
    return m_own->childCount() + int(shownThrough(object()).size());
}

int ScaledAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const int index = m_own->indexOfChild(child);
    if (index >= 0 || !child)
        return index;
    const int shown = int(shownThrough(object()).indexOf(child->object()));
    return shown < 0 ? -1 : m_own->childCount() + shown;
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
