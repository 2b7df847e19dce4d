// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/diagram.h"

#include "toolkit/readoutspot.h"
#include "toolkit/svgparts.h"

#include <QFile>
#include <QFont>
#include <QPaintEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace toolkit {

namespace {

// Lit lines are this many times as heavy as the drawing's own: from about 1 pixel to between 2
// and 3 in the panels, which still reads from the back of a room on a projector.
constexpr qreal kLitWeight = 2.5;
// How far, in the drawing's units, a lit line may reach beyond the element's own bounds.
constexpr qreal kLitReach = 2.0;

// A read-out too long for its box is first narrowed down to this share of its width, the way a
// display's digits would be, and only then made smaller.
constexpr qreal kNarrowest = 0.6;

QRectF elementRect(const QSvgRenderer &renderer, const QString &id)
{
    if (id.isEmpty() || !renderer.elementExists(id))
        return {};
    return renderer.transformForElement(id).mapRect(renderer.boundsOnElement(id));
}

QString keyOf(const QList<Diagram::Light> &lights)
{
    QString key;
    for (const Diagram::Light &light : lights)
        key += light.id + u'=' + light.color.name(QColor::HexArgb) + (light.dashed ? u'-' : u';');
    return key;
}

} // namespace

Diagram::Diagram(QWidget *parent) : Image(parent) { }

Diagram::~Diagram() = default;

void Diagram::load()
{
    if (m_loadedSource == source())
        return;
    m_loadedSource = source();
    m_document.clear();
    m_picture.reset();
    m_litRenderers.clear();
    m_bounds.clear();
    m_litKey.clear();
    m_box = m_value = {};
    QFile file(source());
    if (!source().endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)
        || !file.open(QIODevice::ReadOnly))
        return;
    m_document = file.readAll();

    const QSvgRenderer whole(m_document);
    m_box = elementRect(whole, m_boxId);
    m_value = elementRect(whole, m_valueId);
    m_ink = svgparts::fillOf(m_document, m_valueId);
    const QByteArray picture =
        m_valueId.isEmpty() ? m_document : svgparts::without(m_document, {m_valueId});
    m_picture = std::make_unique<QSvgRenderer>(picture);
    shapeReadout();
}

void Diagram::drawPicture(QPainter &painter, const QRectF &area) const
{
    if (m_picture)
        m_picture->render(&painter, area);
    else
        Image::drawPicture(painter, area);
}

void Diagram::setLights(const QList<Light> &lights)
{
    if (lights == m_lights)
        return;
    // Only what goes out and what comes on is drawn again.
    QRegion changed = areaOf(m_lights);
    m_lights = lights;
    changed += areaOf(m_lights);
    if (m_lights.isEmpty()) {
        m_litPixmap = {};
        m_litKey.clear();
    }
    update(changed);
}

QRegion Diagram::areaOf(const QList<Light> &lights)
{
    if (lights.isEmpty() || !isVisible())
        return {};
    load();
    if (!m_picture)
        return pictureRect();
    const QTransform toWidget = pictureTransform();
    // Lit lines reach further out than the drawing's own, and are smoothed over a pixel more.
    const int margin = int(std::ceil(kLitReach * toWidget.m11())) + 1;
    QRegion area;
    for (const Light &light : lights) {
        auto bounds = m_bounds.constFind(light.id);
        if (bounds == m_bounds.cend())
            bounds = m_bounds.insert(light.id, elementRect(*m_picture, light.id));
        area +=
            toWidget.mapRect(*bounds).toAlignedRect().adjusted(-margin, -margin, margin, margin);
    }
    return area;
}

QSvgRenderer *Diagram::litRenderer()
{
    if (m_lights.isEmpty() || m_document.isEmpty())
        return nullptr;
    std::shared_ptr<QSvgRenderer> &renderer = m_litRenderers[keyOf(m_lights)];
    if (!renderer) {
        QHash<QString, QColor> colors;
        QSet<QString> dashed;
        for (const Light &light : std::as_const(m_lights)) {
            colors.insert(light.id, light.color);
            if (light.dashed)
                dashed.insert(light.id);
        }
        renderer =
            std::make_shared<QSvgRenderer>(svgparts::only(m_document, colors, kLitWeight, dashed));
    }
    return renderer.get();
}

void Diagram::setReadoutElements(const QString &boxId, const QString &valueId)
{
    m_boxId = boxId;
    m_valueId = valueId;
    m_loadedSource.clear();
    load();
    forgetRendering();
}

void Diagram::setReadoutText(const QString &text)
{
    if (text == m_readoutText)
        return;
    m_readoutText = text;
    if (m_readoutSpot)
        m_readoutSpot->setValue(text);
    shapeReadout();
    updateReadout();
}

void Diagram::setReadoutLabel(const QString &label)
{
    if (!m_readoutSpot) {
        m_readoutSpot = new ReadoutSpot(this);
        m_readoutSpot->setValue(m_readoutText);
    }
    m_readoutSpot->setLabel(label);
    placeReadoutSpot();
    m_readoutSpot->show();
}

void Diagram::resizeEvent(QResizeEvent *event)
{
    Image::resizeEvent(event);
    placeReadoutSpot();
}

void Diagram::placeReadoutSpot()
{
    if (!m_readoutSpot)
        return;
    load();
    // Over the box, so that a screen reader's pointer finds it where the eye does.
    m_readoutSpot->setGeometry(pictureTransform().mapRect(m_box).toAlignedRect());
}

void Diagram::shapeReadout()
{
    m_readoutShape = {};
    if (m_readoutText.isEmpty() || m_box.isEmpty() || m_value.isEmpty())
        return;
    // Outlines, not text: they scale with the drawing exactly, whatever the screen's density.
    // A plain monospaced face, of the weight of the drawing's own typewriter digits.
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(100);
    QPainterPath digit;
    digit.addText(0, 0, font, QStringLiteral("0"));
    QPainterPath text;
    text.addText(0, 0, font, m_readoutText);
    const QRectF digitBounds = digit.boundingRect();
    const QRectF textBounds = text.boundingRect();
    if (digitBounds.isEmpty() || textBounds.isEmpty())
        return;

    // A digit as high as the drawing's own; as wide as its text may be, with the margin the
    // drawing leaves above its digit on both sides (the digit drawn at rest is centred in a box
    // wide enough for the longest text, so its own sides say nothing of the margins).
    const qreal height = m_value.height() / digitBounds.height();
    const qreal margin = std::max<qreal>(0.0, m_value.top() - m_box.top());
    const qreal room = m_box.width() - 2 * margin;
    const qreal fit = std::min(1.0, room / (textBounds.width() * height));
    const qreal sx = height * fit;
    const qreal sy = height * std::min(1.0, fit / kNarrowest);
    QTransform place;
    place.translate(m_box.center().x(), m_value.center().y());
    place.scale(sx, sy);
    place.translate(-textBounds.center().x(), -digitBounds.center().y());
    m_readoutShape = place.map(text);
}

QTransform Diagram::pictureTransform() const
{
    const QRectF view = m_picture ? m_picture->viewBoxF() : QRectF();
    const QRectF shown = pictureRect();
    if (view.isEmpty() || shown.isEmpty())
        return {};
    QTransform t;
    t.translate(shown.left(), shown.top());
    t.scale(shown.width() / view.width(), shown.height() / view.height());
    t.translate(-view.left(), -view.top());
    return t;
}

void Diagram::updateReadout()
{
    if (!m_box.isEmpty())
        update(pictureTransform().mapRect(m_box).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void Diagram::renderLights(qreal ratio)
{
    const QString key = keyOf(m_lights) + QString::number(ratio) + u'@'
        + QString::number(pictureRect().width()) + u'x' + QString::number(pictureRect().height());
    if (key == m_litKey)
        return;
    m_litKey = key;
    m_litPixmap = {};
    QSvgRenderer *lit = litRenderer();
    const QRect area = areaOf(m_lights).boundingRect() & pictureRect();
    m_litAt = area.topLeft();
    const QSize size = area.size();
    if (!lit || size.isEmpty())
        return;
    // In device pixels, as the picture itself (see Image).
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF whole(QPointF(pictureRect().topLeft() - m_litAt) * ratio,
                           QSizeF(pictureRect().size()) * ratio);
        lit->render(&painter, whole);
    }
    pixmap.setDevicePixelRatio(ratio);
    m_litPixmap = pixmap;
}

void Diagram::paintEvent(QPaintEvent *event)
{
    load();
    Image::paintEvent(event);
    if (m_lights.isEmpty() && m_readoutShape.isEmpty())
        return;
    QPainter painter(this);
    // Rendered once for each set of lights and copied at every paint: the charts under an open
    // panel have it painted again, a little at a time, at every point of a trace.
    if (!m_lights.isEmpty()) {
        renderLights(pixelRatio(painter));
        painter.drawPixmap(m_litAt, m_litPixmap);
    }
    if (!m_readoutShape.isEmpty()) {
        const QTransform toWidget = pictureTransform();
        if (event->rect().intersects(toWidget.mapRect(m_box).toAlignedRect())) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setTransform(toWidget);
            painter.fillPath(m_readoutShape, m_ink);
        }
    }
}

} // namespace toolkit
