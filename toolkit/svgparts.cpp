// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/svgparts.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <utility>
#include <vector>

namespace toolkit::svgparts {

namespace {

// What an element draws with: its own presentation attributes, or those it inherits (SVG's
// defaults at the root: black fill, no line, lines of one unit when there is one).
struct Style
{
    QColor fill = Qt::black;
    bool line = false;
    qreal strokeWidth = 1.0;
};

Style styleOf(const QXmlStreamAttributes &attributes, Style inherited)
{
    if (attributes.hasAttribute(QLatin1String("fill"))) {
        const QStringView fill = attributes.value(QLatin1String("fill"));
        inherited.fill = fill == QLatin1String("none") ? QColor() : QColor::fromString(fill);
    }
    if (attributes.hasAttribute(QLatin1String("stroke")))
        inherited.line = attributes.value(QLatin1String("stroke")) != QLatin1String("none");
    bool ok = false;
    const qreal width = attributes.value(QLatin1String("stroke-width")).toDouble(&ok);
    if (ok)
        inherited.strokeWidth = width;
    return inherited;
}

// Attributes are copied by their written names: namespace processing is off, so the
// declarations and xlink references go through as they stand.
void copyStart(const QXmlStreamReader &reader, QXmlStreamWriter &writer)
{
    writer.writeStartElement(reader.qualifiedName().toString());
    for (const QXmlStreamAttribute &a : reader.attributes())
        writer.writeAttribute(a.qualifiedName().toString(), a.value().toString());
}

// Wires take the whole weight; the heavier lines that draw symbols (a unit or more), whose
// details lie close together, a fifth of it, so that a lit transistor or ground stays legible.
qreal heavier(qreal width, qreal weight)
{
    return width < 1.0 ? width * weight : width * (1.0 + (weight - 1.0) / 5.0);
}

bool isWhite(const QColor &color)
{
    return color.isValid() && color.rgb() == qRgb(255, 255, 255);
}

// Lines given to shapes drawn without one, in the shape's own units (the lettering's glyphs
// are about 7 units high).
constexpr qreal kEdgeWidth = 0.35;

// Dashes and the gaps between them, in line widths.
constexpr qreal kDash = 2.2;
constexpr qreal kGap = 1.6;

// One element of a lit part: colors and weights of its own attributes replaced. The part's
// outermost element also sets what it would otherwise inherit from the unlit drawing.
void writeLitStart(const QXmlStreamReader &reader, QXmlStreamWriter &writer, const QColor &color,
                   qreal weight, const Style *inheritedByPart, bool dashed = false)
{
    const QString ink = color.name();
    const QXmlStreamAttributes attributes = reader.attributes();
    const bool noLine = attributes.hasAttribute(QLatin1String("stroke"))
        ? attributes.value(QLatin1String("stroke")) == QLatin1String("none")
        : inheritedByPart && !inheritedByPart->line;
    writer.writeStartElement(reader.qualifiedName().toString());
    for (const QXmlStreamAttribute &a : attributes) {
        const QStringView name = a.qualifiedName();
        const QStringView value = a.value();
        if (name == QLatin1String("stroke")) {
            writer.writeAttribute(QStringLiteral("stroke"), ink);
        } else if (name == QLatin1String("fill")) {
            const bool keep = value == QLatin1String("none") || isWhite(QColor::fromString(value));
            writer.writeAttribute(QStringLiteral("fill"), keep ? value.toString() : ink);
        } else if (name == QLatin1String("stroke-width")) {
            if (!noLine)
                writer.writeAttribute(QStringLiteral("stroke-width"),
                                      QString::number(heavier(value.toDouble(), weight)));
        } else {
            writer.writeAttribute(name.toString(), value.toString());
        }
    }
    if (noLine)
        writer.writeAttribute(QStringLiteral("stroke-width"), QString::number(kEdgeWidth));
    if (!inheritedByPart)
        return;
    const qreal width = heavier(inheritedByPart->strokeWidth, weight); // the part's, lit
    if (dashed) {
        // Dashes and gaps in units of the part's line width, lit: long enough to read as a
        // broken line in the panel, short enough that every wire shows several.
        writer.writeAttribute(QStringLiteral("stroke-dasharray"),
                              QStringLiteral("%1 %2").arg(width * kDash).arg(width * kGap));
    }
    if (!attributes.hasAttribute(QLatin1String("stroke")))
        writer.writeAttribute(QStringLiteral("stroke"), ink);
    if (!attributes.hasAttribute(QLatin1String("fill"))) {
        const QColor fill = inheritedByPart->fill;
        writer.writeAttribute(QStringLiteral("fill"),
                              !fill.isValid()     ? QStringLiteral("none")
                                  : isWhite(fill) ? fill.name()
                                                  : ink);
    }
    if (!noLine && !attributes.hasAttribute(QLatin1String("stroke-width")))
        writer.writeAttribute(QStringLiteral("stroke-width"), QString::number(width));
}

} // namespace

QByteArray without(const QByteArray &document, const QSet<QString> &ids)
{
    QXmlStreamReader reader(document);
    reader.setNamespaceProcessing(false);
    QByteArray out;
    QXmlStreamWriter writer(&out);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            writer.writeStartDocument();
            break;
        case QXmlStreamReader::StartElement:
            if (ids.contains(reader.attributes().value(QLatin1String("id")).toString()))
                reader.skipCurrentElement();
            else
                copyStart(reader, writer);
            break;
        case QXmlStreamReader::EndElement:
            writer.writeEndElement();
            break;
        case QXmlStreamReader::Characters:
            writer.writeCharacters(reader.text().toString());
            break;
        default:
            break;
        }
    }
    writer.writeEndDocument();
    return out;
}

QByteArray only(const QByteArray &document, const QHash<QString, QColor> &colors, qreal weight,
                const QSet<QString> &dashed)
{
    QXmlStreamReader reader(document);
    reader.setNamespaceProcessing(false);
    QByteArray out;
    QXmlStreamWriter writer(&out);

    // The elements open down to the current one. The groups around the lit parts are written
    // only once a lit part shows up inside them: the result draws nothing else, not even empty
    // groups, so that drawing it costs little.
    struct Open
    {
        Style style;
        bool written = true;
        QString name;
        QXmlStreamAttributes attributes;
    };
    std::vector<Open> open {Open {}};
    // How deep the lit part or the definitions being copied begin (0: not inside one).
    int litFrom = 0;
    QColor litColor;
    int definitionsFrom = 0;
    const auto writeOpenGroups = [&] {
        for (Open &o : open) {
            if (o.written)
                continue;
            writer.writeStartElement(o.name);
            for (const QXmlStreamAttribute &a : std::as_const(o.attributes))
                writer.writeAttribute(a.qualifiedName().toString(), a.value().toString());
            o.written = true;
        }
    };

    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            writer.writeStartDocument();
            break;
        case QXmlStreamReader::StartElement: {
            const QXmlStreamAttributes attributes = reader.attributes();
            const Style inherited = open.back().style;
            const int depth = int(open.size());
            Open element {styleOf(attributes, inherited), true, {}, {}};
            if (definitionsFrom > 0) {
                copyStart(reader, writer);
            } else if (litFrom > 0) {
                writeLitStart(reader, writer, litColor, weight, nullptr);
            } else if (const auto lit =
                           colors.constFind(attributes.value(QLatin1String("id")).toString());
                       lit != colors.cend()) {
                litFrom = depth;
                litColor = *lit;
                writeOpenGroups();
                writeLitStart(reader, writer, litColor, weight, &inherited,
                              dashed.contains(lit.key()));
            } else if (reader.name() == QLatin1String("defs")) {
                definitionsFrom = depth;
                copyStart(reader, writer);
            } else if (reader.name() == QLatin1String("svg")) {
                copyStart(reader, writer);
            } else if (reader.name() == QLatin1String("g")) {
                // Groups carry the transforms and styles a lit part sits in.
                element.written = false;
                element.name = reader.qualifiedName().toString();
                element.attributes = attributes;
            } else {
                reader.skipCurrentElement();
                break;
            }
            open.push_back(std::move(element));
            break;
        }
        case QXmlStreamReader::EndElement:
            if (open.back().written)
                writer.writeEndElement();
            open.pop_back();
            if (int(open.size()) == litFrom)
                litFrom = 0;
            if (int(open.size()) == definitionsFrom)
                definitionsFrom = 0;
            break;
        default:
            break;
        }
    }
    writer.writeEndDocument();
    return out;
}

QColor fillOf(const QByteArray &document, const QString &id)
{
    QXmlStreamReader reader(document);
    reader.setNamespaceProcessing(false);
    std::vector<Style> styles {Style {}};
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            styles.push_back(styleOf(reader.attributes(), styles.back()));
            if (reader.attributes().value(QLatin1String("id")) == id)
                return styles.back().fill;
            break;
        case QXmlStreamReader::EndElement:
            styles.pop_back();
            break;
        default:
            break;
        }
    }
    return {};
}

} // namespace toolkit::svgparts
