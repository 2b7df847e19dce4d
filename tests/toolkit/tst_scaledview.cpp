// SPDX-License-Identifier: GPL-3.0-or-later
// Where widgets are drawn: a band of controls shown scaled, a picture in a box of its own.
#include "toolkit/image.h"
#include "toolkit/scaledview.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using toolkit::ScaledView;

class tst_ScaledView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsKeepTheirPlacesAtTheScale();
    void pictureSitsInTheMiddleOfItsBox();
};

// A window's upper part (a fixed-height band of controls over a part that takes the rest),
// shown scaled: the band keeps its geometry in its own units, shows each control at its place
// times the factor, takes the clicks there and keeps the look it had from the window.
void tst_ScaledView::controlsKeepTheirPlacesAtTheScale()
{
    for (qreal factor : {0.5, 1022.0 / 1269.0, 0.69}) {
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

        QCOMPARE(view->geometry(), QRect(0, 0, window.width(), qRound(520 * factor)));
        QCOMPARE(rest->geometry().top(), view->geometry().bottom() + 1);
        QCOMPARE(band->height(), 520);
        QVERIFY(qAbs(band->width() - 1269) <= 1);
        const QPoint shown = view->mapFromGlobal(button->mapToGlobal(QPoint(0, 0)));
        QVERIFY((shown - QPointF(944, 322) * factor).manhattanLength() <= 1);
        QSignalSpy clicked(button, &QPushButton::clicked);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          (QPointF(944 + 56, 322 + 15) * factor).toPoint());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, // just left of it: nothing
                          (QPointF(944 - 4, 322 + 15) * factor).toPoint());
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(0xFF, 0x00, 0x00));
    }
}

// Scaled to fit with its proportions kept, centred: the margins on opposite sides are equal.
void tst_ScaledView::pictureSitsInTheMiddleOfItsBox()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("red.png"));
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(file));
    for (const QSize box : {QSize(100, 100), QSize(300, 60), QSize(41, 200)}) {
        toolkit::Image image;
        image.setSource(file);
        image.resize(box);
        const QImage grab = image.grab().toImage();
        QRect drawn;
        for (int y = 0; y < grab.height(); ++y) {
            for (int x = 0; x < grab.width(); ++x) {
                if (qRed(grab.pixel(x, y)) > 200 && qGreen(grab.pixel(x, y)) < 100)
                    drawn |= QRect(x, y, 1, 1);
            }
        }
        const QSize fitted = red.size().scaled(box, Qt::KeepAspectRatio);
        const QMargins margins(drawn.left(), drawn.top(), box.width() - 1 - drawn.right(),
                               box.height() - 1 - drawn.bottom());
        const QString at = QStringLiteral("%1 × %2").arg(box.width()).arg(box.height());
        QVERIFY2(qAbs(drawn.width() - fitted.width()) <= 1
                     && qAbs(drawn.height() - fitted.height()) <= 1,
                 qPrintable(at));
        QVERIFY2(qAbs(margins.left() - margins.right()) <= 1
                     && qAbs(margins.top() - margins.bottom()) <= 1,
                 qPrintable(at));
    }
}

QTEST_MAIN(tst_ScaledView)
#include "tst_scaledview.moc"
