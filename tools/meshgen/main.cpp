// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the model geometries and the stator texture that the program carries as resources:
//   meshgen [--font <file>] <assets folder>
// fills <assets folder>/models/<name>.mesh and <assets folder>/textures/stator.png. Running it
// again gives the same bytes.

#include "catalogue.h"
#include "coppertexture.h"
#include "storage/meshwriter.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void generate(const QString &fontFile, const QDir &root)
{
    for (const char *folder : {"models", "textures"}) {
        if (!root.mkpath(QLatin1StringView(folder)))
            throw std::runtime_error("cannot create "
                                     + root.filePath(QLatin1StringView(folder)).toStdString());
    }
    for (const auto &model : meshgen::buildCatalogue(fontFile)) {
        std::vector<std::uint8_t> bytes;
        try {
            bytes = scene::writeModelGeometry(model.geometry);
        } catch (const std::invalid_argument &error) {
            throw std::runtime_error(model.name.toStdString() + ": " + error.what());
        }
        writeFile(
            root.filePath(QStringLiteral("models/") + model.name + QStringLiteral(".mesh")),
            QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())));
    }
    const QImage texture = meshgen::makeCopperTexture();
    QSaveFile png(root.filePath(QStringLiteral("textures/stator.png")));
    if (!png.open(QIODevice::WriteOnly) || !texture.save(&png, "PNG") || !png.commit())
        throw std::runtime_error("cannot write the stator texture");
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts need a GUI application, but no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the 3D models and the stator texture into an assets folder."));
    parser.addHelpOption();
    const QCommandLineOption fontOption(
        QStringLiteral("font"), QStringLiteral("Font file for the lettering."),
        QStringLiteral("file"), QStringLiteral(MESHGEN_DEFAULT_FONT));
    parser.addOption(fontOption);
    parser.addPositionalArgument(QStringLiteral("assets"),
                                 QStringLiteral("Folder that receives models/ and textures/."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    try {
        generate(parser.value(fontOption), QDir(parser.positionalArguments().first()));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "meshgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
