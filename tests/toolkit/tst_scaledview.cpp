// SPDX-License-Identifier: GPL-3.0-or-later
// A band of controls shown scaled: where it is drawn, clicked and found by a screen reader.
#include "toolkit/scaledview.h"

#include <QAccessible>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using toolkit::ScaledView;

class tst_ScaledView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsKeepTheirPlacesAtTheScale();
};

namespace {

bool reaches(QAccessibleInterface *from, const QAccessibleInterface *target)
{
    for (int i = 0; i < from->childCount(); ++i) {
        QAccessibleInterface *c = from->child(i);
        if (c == target || (c && from->indexOfChild(c) == i && reaches(c, target)))
            return true;
    }
    return false;
}

} // namespace

// A band of controls shown scaled keeps its geometry in its own units, shows each control at its
// place times the factor, takes the clicks there and keeps the window's look; a screen reader
// finds each control in the window's tree, outlined where it is drawn.
void tst_ScaledView::controlsKeepTheirPlacesAtTheScale()
{
    for (qreal factor : {0.5, 1022.0 / 1269.0, 1.75}) {
        QWidget window;
        window.setStyleSheet(QStringLiteral("QPushButton { color: #FF0000; }"));
        auto *band = new QWidget(&window);
        band->resize(1269, 520);
        auto *button = new QPushButton(QStringLiteral("Lancer tracé"), band);
        button->setGeometry(944, 322, 113, 31);
        auto *view = new ScaledView(band, band->size());
        view->setFactor(factor);
        view->resize(int(1269 * factor), int(520 * factor));
        window.resize(view->size());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(qAbs(band->width() - 1269) <= 1);
        QSignalSpy clicked(button, &QPushButton::clicked);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          (QPointF(944 + 56, 322 + 15) * factor).toPoint());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, // just left of it: nothing
                          (QPointF(944 - 4, 322 + 15) * factor).toPoint());
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(button->palette().color(QPalette::ButtonText),
                 QColor(Qt::red)); // the window's look
        // A screen reader outlines the button where it is drawn, and finds it there.
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(button);
        const QRect drawn(view->viewport()->mapToGlobal((QPointF(944, 322) * factor).toPoint()),
                          (QSizeF(113, 31) * factor).toSize());
        QVERIFY2((reader->rect().topLeft() - drawn.topLeft()).manhattanLength() <= 1
                     && (reader->rect().bottomRight() - drawn.bottomRight()).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(reader->rect().x())
                                .arg(reader->rect().y())
                                .arg(reader->rect().width())
                                .arg(reader->rect().height())));
        QCOMPARE(QAccessible::queryAccessibleInterface(band)->childAt(drawn.right() - 1,
                                                                      drawn.bottom() - 1),
                 reader);
        // ...and reaches it from the window, down the tree and back up.
        QAccessibleInterface *top = QAccessible::queryAccessibleInterface(&window);
        QVERIFY(reaches(top, reader));
        QAccessibleInterface *up = reader;
        while (up && up != top)
            up = up->parent();
        QCOMPARE(up, top);
    }
}

QTEST_MAIN(tst_ScaledView)
#include "tst_scaledview.moc"
