// SPDX-License-Identifier: GPL-3.0-or-later
// Renders each circuit diagram with QSvgRenderer, as the diagram panels will, at its own pixel size
// and scaled to fit the 400 x 444 image area, writes both renderings as PNG for a human to look
// at, and fails when a file would not show as intended.

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <map>

namespace {

// The panel's image area; the picture is scaled into it with its proportions kept.
constexpr QSize panelArea(400, 444);

const std::map<QString, QSize> &expectedSizes()
{
    static const std::map<QString, QSize> sizes {
        {QStringLiteral("montage1"), QSize(474, 575)},
        {QStringLiteral("montage2"), QSize(693, 473)},
        {QStringLiteral("montage3"), QSize(510, 565)},
        {QStringLiteral("montage4"), QSize(555, 813)},
    };
    return sizes;
}

QImage render(QSvgRenderer &renderer, QSize imageSize, QRectF target)
{
    // Transparent canvas: a picture without its own white background shows up in the checks.
    QImage image(imageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, target);
    return image;
}

struct InkFigures
{
    double darkShare = 0;
    double transparentShare = 0;
};

InkFigures measure(const QImage &image)
{
    qsizetype dark = 0;
    qsizetype transparent = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 255)
                ++transparent;
            else if (qGray(pixel) < 128)
                ++dark;
        }
    }
    const double total = double(image.width()) * image.height();
    return {dark / total, transparent / total};
}

bool check(const QString &svgPath, const QString &outputDir, QTextStream &out)
{
    const QString name = QFileInfo(svgPath).completeBaseName();
    const auto expected = expectedSizes().find(name);
    if (expected == expectedSizes().end()) {
        out << name << ": not one of the four diagrams\n";
        return false;
    }
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        out << name << ": Qt cannot read the file\n";
        return false;
    }
    const QSize size = renderer.defaultSize();
    bool ok = true;
    if (size != expected->second) {
        out << name << ": size " << size.width() << "x" << size.height() << ", expected "
            << expected->second.width() << "x" << expected->second.height() << '\n';
        ok = false;
    }

    const QImage full = render(renderer, size, QRectF(QPointF(0, 0), size));
    const QSize fitted = size.scaled(panelArea, Qt::KeepAspectRatio);
    const QImage panel = render(renderer, fitted, QRectF(QPointF(0, 0), fitted));
    full.save(outputDir + u'/' + name + QStringLiteral("-full.png"));
    panel.save(outputDir + u'/' + name + QStringLiteral("-panel.png"));

    // Thin black lines on white cover a few percent of the picture; an element that Qt fills
    // black instead of leaving open, or a missing background, moves these figures far off.
    const InkFigures ink = measure(full);
    out << name << ": " << size.width() << "x" << size.height() << ", panel " << fitted.width()
        << "x" << fitted.height() << " (scale " << double(fitted.width()) / size.width()
        << "), dark pixels " << 100 * ink.darkShare << " %\n";
    if (ink.transparentShare > 0) {
        out << name << ": background not opaque white\n";
        ok = false;
    }
    if (ink.darkShare < 0.01 || ink.darkShare > 0.20) {
        out << name << ": dark share out of the expected 1 % .. 20 %\n";
        ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        out << "usage: diagramchecker <output dir> <montageN.svg>...\n";
        return 2;
    }
    bool ok = true;
    for (const QString &svgPath : args.mid(2))
        ok = check(svgPath, args.at(1), out) && ok;
    return ok ? 0 : 1;
}
