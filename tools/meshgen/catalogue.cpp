// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"

#include "lettering.h"
#include "models.h"

namespace meshgen {

std::vector<NamedModel> buildCatalogue(const QString &fontFile)
{
    const Lettering lettering(fontFile);
    std::vector<NamedModel> models;
    models.push_back({QStringLiteral("rotor"), makeRotor()});
    models.push_back({QStringLiteral("lettre"), makePoleLetters(lettering)});
    models.push_back({QStringLiteral("stator"), makeStator()});
    models.push_back({QStringLiteral("bobine"), makeCoils("Form2.bobineMat02")});
    models.push_back({QStringLiteral("bobine2"), makeCoils("Form2.bobine2Mat01")});
    // The width of each label follows its digit.
    const double labelWidths[] = {155.4, 156.85, 156.35, 157.7};
    for (int digit = 1; digit <= 4; ++digit) {
        models.push_back({QStringLiteral("textebobine") + QString::number(digit),
                          makeCoilLabel(lettering, digit, labelWidths[digit - 1])});
    }
    models.push_back({QStringLiteral("axe"), makeShaft()});
    return models;
}

} // namespace meshgen
