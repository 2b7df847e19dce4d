// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/scaledview.h"

#include "toolkit/scaledaccessible.h"

#include <QGraphicsProxyWidget>
#include <QLayout>

#include <algorithm>
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

// Puts @p by where @p in was in @p parent's layout, when it has one.
void swapInLayout(QWidget *parent, QWidget *in, QWidget *by)
{
    if (parent && parent->layout())
        delete parent->layout()->replaceWidget(in, by);
}

} // namespace

ScaledView::ScaledView(QWidget *content, QSize natural)
    : QGraphicsView(content->parentWidget())
    , m_content(content)
    , m_home(content->parentWidget())
    , m_natural(natural)
{
    hide();
    // Only a stop for Tab while it shows the content, whose controls it then passes Tab on to.
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                   | QPainter::SmoothPixmapTransform);
    setScene(new QGraphicsScene(this));
}

ScaledView::~ScaledView()
{
    // The content goes with the view, while the view still stands.
    if (m_adopted)
        delete scene();
}

void ScaledView::setFactor(qreal factor)
{
    m_factor = factor;
    const bool natural = factor == 1.0 && m_home && m_home->width() == m_natural.width();
    if (natural) {
        if (m_adopted)
            giveBack();
        return;
    }
    if (!m_adopted)
        adopt();
    setMinimumSize(scaled(m_content->minimumSize(), m_factor));
    setMaximumSize(scaled(m_content->maximumSize(), m_factor));
    place();
}

qreal ScaledView::factorIn(const QWidget *window)
{
    if (!window)
        return 1.0;
    const auto views = window->findChildren<ScaledView *>();
    const auto scaling = std::find_if(views.begin(), views.end(),
                                      [](const ScaledView *v) { return v->isScaling(); });
    return scaling == views.end() ? 1.0 : (*scaling)->factor();
}

void ScaledView::adopt()
{
    // A widget in a graphics scene has no parent widget to take its look from: it keeps what
    // it had.
    const QPalette palette = m_content->palette();
    const QFont font = m_content->font();
    m_styleSheet = m_content->styleSheet();
    QString styleSheet = m_styleSheet;
    for (const QWidget *w = m_home; w; w = w->parentWidget())
        styleSheet.prepend(w->styleSheet() + u'\n');
    setBackgroundBrush(m_home ? m_home->palette().window() : palette.window());

    // Before the content leaves its parent, which takes it out of the layout.
    swapInLayout(m_home, m_content, this);
    m_content->setParent(nullptr);
    m_content->setPalette(palette);
    m_content->setFont(font);
    m_content->setStyleSheet(styleSheet);
    m_content->resize(m_natural);
    scene()->addWidget(m_content);
    ScaledAccessible::follow(m_content);
    ScaledAccessible::follow(this);
    m_adopted = true;
    setFocusPolicy(Qt::StrongFocus);
    show();
}

void ScaledView::giveBack()
{
    QGraphicsProxyWidget *proxy = m_content->graphicsProxyWidget();
    proxy->setWidget(nullptr);
    delete proxy;
    m_adopted = false;
    m_content->setParent(m_home);
    m_content->setAttribute(Qt::WA_DontShowOnScreen, false);
    m_content->setStyleSheet(m_styleSheet);
    m_content->setPalette(QPalette());
    m_content->setFont(QFont());
    swapInLayout(m_home, this, m_content);
    setFocusPolicy(Qt::NoFocus);
    hide();
    m_content->show();
}

void ScaledView::place()
{
    const QSize area = viewport()->size();
    setSceneRect(QRectF(QPointF(0, 0), area));
    QGraphicsProxyWidget *proxy = m_content->graphicsProxyWidget();
    if (!proxy)
        return;
    proxy->setScale(m_factor);
    // Whole pixels, so that the content's lines fall where they would unscaled.
    const qreal spare = area.width() - m_natural.width() * m_factor;
    proxy->setPos(std::max(0.0, std::floor(spare / 2)), 0);
}

void ScaledView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    place();
}

} // namespace toolkit
