// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/image.h"

#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace toolkit {

Image::Image(QWidget *parent) : QWidget(parent) { }

void Image::setSource(const QString &source)
{
    m_source = source;
    m_pictureSize = {};
    if (source.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer renderer(source);
        if (renderer.isValid())
            m_pictureSize = renderer.defaultSize();
    } else {
        m_pictureSize = QImageReader(source).size();
    }
    // Rendered when first painted: pictures on hidden panels cost nothing at start-up.
    m_cache = {};
    update();
}

QRect Image::pictureRect() const
{
    if (m_pictureSize.isEmpty())
        return {};
    const QSize fitted = m_pictureSize.scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void Image::renderCache(qreal ratio)
{
    m_cache = {};
    const QRect target = pictureRect();
    if (target.isEmpty())
        return;
    // Painted in device pixels, then told its ratio: a painter never draws smaller than its
    // device's units, so a ratio below 1 set first would not shrink the drawing.
    QPixmap pixmap(target.size() * ratio);
    pixmap.fill(Qt::white);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        drawPicture(painter, QRectF(QPointF(0, 0), QSizeF(pixmap.size())));
    }
    pixmap.setDevicePixelRatio(ratio);
    m_cache = pixmap;
}

void Image::drawPicture(QPainter &painter, const QRectF &area) const
{
    if (m_source.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer renderer(m_source);
        renderer.render(&painter, area);
    } else {
        painter.drawImage(area, QImage(m_source));
    }
}

void Image::forgetRendering()
{
    m_cache = {};
    update();
}

void Image::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Rendered for the pixels it covers, the picture stays sharp.
    const qreal ratio = pixelRatio(painter);
    if (m_cache.isNull() || !qFuzzyCompare(m_cache.devicePixelRatio(), ratio))
        renderCache(ratio);
    if (m_cache.isNull())
        return;
    painter.drawPixmap(pictureRect().topLeft(), m_cache);
}

qreal Image::pixelRatio(const QPainter &painter) const
{
    const qreal ratio = std::sqrt(std::abs(painter.deviceTransform().determinant()));
    return ratio > 0 ? ratio : devicePixelRatioF();
}

void Image::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_cache = {};
}

} // namespace toolkit
