// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floattostr.h"

#include <QLocale>
#include <QTest>

class TestFloatToStr : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void asciiUnderEveryLocale();
};

// General format with up to 15 significant digits, no decimal part for whole values and no
// group separator; whatever the user's locale, its digits, minus sign and exponent stay out and
// only its decimal separator comes in, where that is a comma.
void TestFloatToStr::asciiUnderEveryLocale()
{
    const QList<std::pair<double, QString>> rows {{-90.0, "-90"},
                                                  {-0.0, "0"},
                                                  {37.5, "37.5"},
                                                  {1234567.0, "1234567"},
                                                  {1.0 / 3.0, "0.333333333333333"},
                                                  {0.1 + 0.2, "0.3"},
                                                  {double(0.1f), "0.100000001490116"},
                                                  {-1.5e-20, "-1.5e-20"},
                                                  {2.5e100, "2.5e+100"}};
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale &locale : locales) {
        QLocale::setDefault(locale);
        for (auto [value, expected] : rows) {
            if (locale.decimalPoint() == QStringLiteral(","))
                expected.replace(u'.', u',');
            const QString text = toolkit::FloatToStr(value);
            QVERIFY2(text == expected, qPrintable(locale.name() + QStringLiteral(": ") + text));
        }
    }
    QLocale::setDefault(QLocale::c());
}

QTEST_APPLESS_MAIN(TestFloatToStr)
#include "tst_floattostr.moc"
