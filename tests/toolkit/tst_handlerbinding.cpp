// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/application.h"
#include "toolkit/exception.h"
#include "toolkit/handlerbinding.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// A window whose handler fails on its first click only.
class Failing : public QWidget
{
public:
    void click(QObject *)
    {
        if (++clicks == 1)
            throw toolkit::Exception(QStringLiteral("Tension trop élevée : 14 V"));
        if (clicks == 2)
            throw 42; // not an exception of ours: shown with no text
    }
    int clicks = 0;
};

class TestHandlerBinding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void anExceptionIsShownAndTheWindowGoesOn();
};

// The first failure comes up in a box the user closes; the next goes to the display set in its
// place; the third click runs as if nothing had happened.
void TestHandlerBinding::anExceptionIsShownAndTheWindowGoesOn()
{
    Failing form;
    QPushButton button(&form);
    toolkit::bindHandler(&button, &QPushButton::clicked, &form, &Failing::click);
    QStringList boxes;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&boxes] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(10);
    button.click();
    QCOMPARE(boxes, QStringList {QStringLiteral("Tension trop élevée : 14 V")});

    QStringList shown;
    toolkit::Application::setExceptionDisplay([&shown](const QString &text) { shown << text; });
    button.click();
    button.click();
    toolkit::Application::setExceptionDisplay({});
    QCOMPARE(shown, QStringList {QString()});
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(form.clicks, 3);
}

QTEST_MAIN(TestHandlerBinding)
#include "tst_handlerbinding.moc"
