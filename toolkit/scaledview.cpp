// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/scaledview.h"

#include <QGraphicsProxyWidget>
#include <QLayout>

#include <cmath>

namespace toolkit {

namespace {

int scaled(int length, qreal factor)
{
    return length >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : int(std::lround(length * factor));
}

QSize scaled(QSize size, qreal factor)
{
    return {scaled(size.width(), factor), scaled(size.height(), factor)};
}

} // namespace

ScaledView *ScaledView::replace(QWidget *content, qreal factor)
{
    QWidget *parent = content->parentWidget();
    auto *view = new ScaledView(factor, parent);
    // Before the content leaves its parent, which takes it out of the layout.
    if (parent && parent->layout())
        delete parent->layout()->replaceWidget(content, view);
    view->adopt(content);
    return view;
}

ScaledView::ScaledView(qreal factor, QWidget *parent) : QGraphicsView(parent), m_factor(factor)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                   | QPainter::SmoothPixmapTransform);
    setScene(new QGraphicsScene(this));
}

void ScaledView::adopt(QWidget *content)
{
    m_content = content;
    setMinimumSize(scaled(content->minimumSize(), m_factor));
    setMaximumSize(scaled(content->maximumSize(), m_factor));

    // A widget in a graphics scene has no parent widget to take its look from: it keeps what
    // it had.
    const QPalette palette = content->palette();
    const QFont font = content->font();
    QString styleSheet = content->styleSheet();
    for (const QWidget *w = content->parentWidget(); w; w = w->parentWidget())
        styleSheet.prepend(w->styleSheet() + u'\n');
    content->setParent(nullptr);
    content->setPalette(palette);
    content->setFont(font);
    content->setStyleSheet(styleSheet);

    scene()->addWidget(content)->setScale(m_factor);
}

ScaledView::~ScaledView()
{
    // The content goes with the view, while the view still stands.
    delete scene();
}

void ScaledView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    const QSize area = viewport()->size();
    if (m_content)
        m_content->resize(int(std::ceil(area.width() / m_factor)),
                          int(std::ceil(area.height() / m_factor)));
    setSceneRect(QRectF(QPointF(0, 0), area));
}

} // namespace toolkit
