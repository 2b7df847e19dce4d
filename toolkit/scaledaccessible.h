// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleInterface>

class QWidget;

namespace toolkit {

/// What assistive technology is told about a control that may be drawn through a ScaledView:
/// everything the control's own description says, with the rectangles where it is drawn. Qt
/// maps a proxied widget's corner through the view, but keeps its size in the widget's own
/// units, so a screen reader would outline a scaled control at its unscaled size. And a widget
/// drawn through a view has no parent widget: the view counts it among its children here, and
/// it names the view as its parent, so that the controls stay in the tree a screen reader walks.
class ScaledAccessible : public QAccessibleInterface
{
public:
    /// Describes @p content and the controls it holds now through this class, wherever and at
    /// whatever factor @p content is drawn from now on.
    static void follow(QWidget *content);

    explicit ScaledAccessible(QAccessibleInterface *own);
    ~ScaledAccessible() override;

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override;
    QAccessibleInterface *focusChild() const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QColor foregroundColor() const override;
    QColor backgroundColor() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

private:
    // Qt's own description, kept in Qt's register of descriptions: that is where its answers
    // about the control's children come from.
    QAccessibleInterface *m_own;
    QAccessible::Id m_ownId;
};

} // namespace toolkit
