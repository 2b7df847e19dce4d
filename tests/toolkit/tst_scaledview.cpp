// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/scaledview.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using toolkit::ScaledView;

class tst_ScaledView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsKeepTheirPlacesAtTheScale_data();
    void controlsKeepTheirPlacesAtTheScale();
};

void tst_ScaledView::controlsKeepTheirPlacesAtTheScale_data()
{
    QTest::addColumn<qreal>("factor");
    QTest::newRow("half") << 0.5;
    QTest::newRow("1024 × 768 screen") << 1022.0 / 1269.0;
    QTest::newRow("1366 × 768 screen at 125 %") << 0.69;
}

// A window's upper part (a fixed-height band of controls over a part that takes the rest),
// shown scaled: the band keeps its geometry in its own units, shows each control at its place
// times the factor, takes the clicks there and keeps the look it had from the window.
void tst_ScaledView::controlsKeepTheirPlacesAtTheScale()
{
    QFETCH(qreal, factor);
    QWidget window;
    window.setStyleSheet(QStringLiteral("QPushButton { color: #FF0000; }"));
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *band = new QWidget;
    band->setFixedHeight(520);
    auto *button = new QPushButton(QStringLiteral("Lancer tracé"), band);
    button->setGeometry(944, 322, 113, 31);
    layout->addWidget(band);
    auto *rest = new QWidget;
    layout->addWidget(rest);

    ScaledView *view = ScaledView::replace(band, factor);
    window.resize(int(1269 * factor), int(854 * factor));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(view->parentWidget(), &window);
    QCOMPARE(view->geometry(), QRect(0, 0, window.width(), qRound(520 * factor)));
    QCOMPARE(rest->geometry().top(), view->geometry().bottom() + 1);
    QCOMPARE(band->height(), 520);
    QVERIFY(qAbs(band->width() - 1269) <= 1);
    QCOMPARE(button->geometry(), QRect(944, 322, 113, 31));

    const QPoint shown = view->mapFromGlobal(button->mapToGlobal(QPoint(0, 0)));
    QVERIFY2((shown - QPointF(944, 322) * factor).manhattanLength() <= 1,
             qPrintable(QStringLiteral("%1, %2").arg(shown.x()).arg(shown.y())));

    QSignalSpy clicked(button, &QPushButton::clicked);
    const QPoint centre = (QPointF(944 + 113 / 2, 322 + 31 / 2) * factor).toPoint();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(clicked.count(), 1);
    // Just left of the scaled button: nothing.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      (QPointF(944 - 4, 322 + 31 / 2) * factor).toPoint());
    QCOMPARE(clicked.count(), 1);

    QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(0xFF, 0x00, 0x00));
}

QTEST_MAIN(tst_ScaledView)
#include "tst_scaledview.moc"
