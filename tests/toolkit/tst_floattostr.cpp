// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floattostr.h"

#include <QLocale>
#include <QTest>

#include <limits>

class TestFloatToStr : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void format_data();
    void format();
    void asciiUnderEveryLocale();
    void cleanup() { QLocale::setDefault(QLocale::c()); }
};

void TestFloatToStr::format_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole") << "C" << 50.0 << "50";
    QTest::newRow("negative whole") << "C" << -90.0 << "-90";
    QTest::newRow("zero") << "C" << 0.0 << "0";
    QTest::newRow("negative zero") << "C" << -0.0 << "0";
    QTest::newRow("fraction, C") << "C" << 37.5 << "37.5";
    QTest::newRow("fraction, French") << "fr_FR" << 37.5 << "37,5";
    QTest::newRow("whole, French") << "fr_FR" << -9360.0 << "-9360";
    QTest::newRow("no group separator") << "fr_FR" << 1234567.0 << "1234567";
    QTest::newRow("no group separator, C") << "C" << -1080.0 << "-1080";
    QTest::newRow("duration") << "fr_FR" << 0.625 << "0,625";
    QTest::newRow("15 significant digits") << "C" << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("rounded to 15 digits") << "C" << 0.1 + 0.2 << "0.3";
    QTest::newRow("15 digits, large") << "C" << 123456.789012345678 << "123456.789012346";
    QTest::newRow("single precision value") << "C" << double(0.1f) << "0.100000001490116";
    QTest::newRow("exponent, C") << "C" << 1e-20 << "1e-20";
    QTest::newRow("exponent, French") << "fr_FR" << -1.5e-20 << "-1,5e-20";
    QTest::newRow("large exponent, Arabic") << "ar_EG" << 2.5e100 << "2.5e+100";
    // A locale's own minus sign and digits stay out; so does a separator other than , or .
    QTest::newRow("minus, Swedish") << "sv_SE" << -90.0 << "-90";
    QTest::newRow("fraction, Swedish") << "sv_SE" << -0.625 << "-0,625";
    QTest::newRow("fraction, Arabic") << "ar_EG" << 37.5 << "37.5";
    QTest::newRow("whole, Arabic") << "ar_EG" << -1080.0 << "-1080";
    QTest::newRow("fraction, Persian") << "fa_IR" << -37.5 << "-37.5";
    QTest::newRow("fraction, Swiss German") << "de_CH" << 37.5 << "37.5";
    QTest::newRow("fraction, German") << "de_DE" << 37.5 << "37,5";
}

void TestFloatToStr::format()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(toolkit::FloatToStr(value), expected);
}

// Whatever the user's locale, the text is the C locale's with at most its point turned into a
// comma, and only where the locale writes a comma.
void TestFloatToStr::asciiUnderEveryLocale()
{
    const QString cText = toolkit::FloatToStr(-1234.5678e-3);
    QCOMPARE(cText, QStringLiteral("-1.2345678"));
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale &locale : locales) {
        QLocale::setDefault(locale);
        QString expected = cText;
        if (locale.decimalPoint() == QStringLiteral(","))
            expected.replace(u'.', u',');
        const QString text = toolkit::FloatToStr(-1234.5678e-3);
        QVERIFY2(text == expected, qPrintable(locale.name() + QStringLiteral(": ") + text));
    }
}

QTEST_APPLESS_MAIN(TestFloatToStr)
#include "tst_floattostr.moc"
