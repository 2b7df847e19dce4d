// SPDX-License-Identifier: GPL-3.0-or-later
#include "extruder.h"
#include "lettering.h"
#include "models.h"

namespace meshgen {

namespace {

struct LetterBox
{
    QString letter;
    QPointF centre;
    QSizeF size;
    const char *material;
};

QRectF boxAround(QPointF centre, QSizeF size)
{
    return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
}

} // namespace

scene::ModelGeometry makePoleLetters(const Lettering &lettering)
{
    constexpr double halfDepth = 23.0 / 2;
    const LetterBox letters[] = {
        {QStringLiteral("S"), {-16.341, 3.853}, {6.223, 7.903}, "Form2.lettreMat02"},
        {QStringLiteral("N"), {13.995, 3.853}, {6.125, 7.705}, "Form2.lettreMat11"},
    };
    scene::ModelGeometry geometry;
    for (const LetterBox &letter : letters) {
        MeshBuilder builder;
        const Profile outline = Lettering::fitted(lettering.outline(letter.letter),
                                                  boxAround(letter.centre, letter.size));
        Extruder::extrude(builder, outline, frameXY, {-halfDepth, halfDepth});
        builder.dropTextureFrame();
        geometry.subMeshes.push_back(builder.toSubMesh(letter.material));
    }
    return geometry;
}

scene::ModelGeometry makeCoilLabel(const Lettering &lettering, int digit, double width)
{
    constexpr double height = 33.3;
    constexpr double halfThickness = 10.5 / 2;
    MeshBuilder builder;
    const Profile outline =
        Lettering::fitted(lettering.outline(QStringLiteral("bobine") + QString::number(digit)),
                          boxAround({0, 0}, {width, height}));
    // frameXZ turns the text's up into -Z and its front towards +Y.
    Extruder::extrude(builder, outline, frameXZ, {-halfThickness, halfThickness});
    builder.dropTextureFrame();
    return {{builder.toSubMesh()}};
}

} // namespace meshgen
