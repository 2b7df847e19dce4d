// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/application.h"
#include "toolkit/exception.h"
#include "toolkit/handlerbinding.h"
#include "toolkit/messagebox.h"
#include "toolkit/screenfit.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using toolkit::Application;

namespace {

// A window with handlers in the shape the main window's have.
class Form : public QWidget
{
public:
    Form()
    {
        button = new QPushButton(this);
        toolkit::bindHandler(button, &QPushButton::clicked, this, &Form::Click);
    }
    void Click(QObject *sender)
    {
        lastSender = sender;
        ++clicks;
        if (throwing)
            throwing();
    }
    QPushButton *button;
    QObject *lastSender = nullptr;
    int clicks = 0;
    std::function<void()> throwing;
};

struct Shown
{
    QString title;
    QString text;
};

// Presses the default button of the next modal box that opens and hands back what it showed.
void answerNextMessageBox(Shown *shown)
{
    QTimer::singleShot(0, [shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            answerNextMessageBox(shown);
            return;
        }
        *shown = {box->windowTitle(), box->text()};
        box->button(QMessageBox::Ok)->click();
    });
}

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup() { Application::setExceptionDisplay({}); }
    void cleanupTestCase() { m_app.reset(); }

    void handlerGetsItsSender();
    void exceptionInHandlerIsShownAndTheProgramGoesOn_data();
    void exceptionInHandlerIsShownAndTheProgramGoesOn();
    void exceptionAtStartUpIsShownAndReturnsZero_data();
    void exceptionAtStartUpIsShownAndReturnsZero();
    void closingTheWindowEndsRunWithZero();
    void exceptionDisplayIsAModalBox();
    void showMessageIsAModalBoxWithOk();
    void fitFactor_data();
    void fitFactor();

private:
    std::unique_ptr<Application> m_app;
};

void TestApplication::initTestCase()
{
    static int argc = 1;
    static char name[] = "tst_application";
    static char *argv[] = {name, nullptr};
    m_app = std::make_unique<Application>(argc, argv);
}

void TestApplication::handlerGetsItsSender()
{
    Form form;
    form.button->click();
    QCOMPARE(form.clicks, 1);
    QCOMPARE(form.lastSender, form.button);
}

void TestApplication::exceptionInHandlerIsShownAndTheProgramGoesOn_data()
{
    QTest::addColumn<std::function<void()>>("thrower");
    QTest::addColumn<QString>("shown");
    QTest::newRow("toolkit exception") << std::function<void()>([] {
        throw toolkit::Exception(QStringLiteral("Élément hors limites"));
    }) << QStringLiteral("Élément hors limites");
    QTest::newRow("standard exception")
        << std::function<void()>([] { throw std::out_of_range("index 0"); }) << "index 0";
    QTest::newRow("not an exception object")
        << std::function<void()>([] { throw 42; }) << QString();
}

void TestApplication::exceptionInHandlerIsShownAndTheProgramGoesOn()
{
    QFETCH(std::function<void()>, thrower);
    QFETCH(QString, shown);
    QStringList displayed;
    Application::setExceptionDisplay([&](const QString &m) { displayed << m; });
    Form form;
    form.throwing = thrower;
    form.button->click();
    QCOMPARE(displayed, QStringList {shown});
    form.throwing = nullptr;
    form.button->click(); // the window still answers
    QCOMPARE(form.clicks, 2);
    QCOMPARE(displayed.size(), 1);
}

void TestApplication::exceptionAtStartUpIsShownAndReturnsZero_data()
{
    exceptionInHandlerIsShownAndTheProgramGoesOn_data();
}

void TestApplication::exceptionAtStartUpIsShownAndReturnsZero()
{
    QFETCH(std::function<void()>, thrower);
    QFETCH(QString, shown);
    QStringList displayed;
    Application::setExceptionDisplay([&](const QString &m) { displayed << m; });
    QCOMPARE(m_app->execute(thrower), 0);
    QCOMPARE(displayed, QStringList {shown});
}

void TestApplication::closingTheWindowEndsRunWithZero()
{
    Form *form = nullptr;
    QTimer::singleShot(100, [&] { form->close(); });
    const int code = m_app->execute([&] { m_app->CreateForm(form); });
    QCOMPARE(code, 0);
    QVERIFY(form);
}

void TestApplication::exceptionDisplayIsAModalBox()
{
    Shown shown;
    answerNextMessageBox(&shown);
    Application::ShowException(toolkit::Exception(QStringLiteral("Accès refusé")));
    QCOMPARE(shown.text, QStringLiteral("Accès refusé"));
    QCOMPARE(shown.title, QStringLiteral("Simulateur de commande de moteurs"));
}

void TestApplication::showMessageIsAModalBoxWithOk()
{
    Shown shown;
    answerNextMessageBox(&shown);
    toolkit::ShowMessage(QStringLiteral("Vous n'avez pas sélectionner le sens"));
    QCOMPARE(shown.text, QStringLiteral("Vous n'avez pas sélectionner le sens"));
    QCOMPARE(shown.title, QStringLiteral("Simulateur de commande de moteurs"));
}

void TestApplication::fitFactor_data()
{
    QTest::addColumn<QSize>("room");
    QTest::addColumn<QMargins>("frame");

    const QMargins titleBar(1, 21, 1, 4);
    QTest::newRow("large screen") << QSize(1920, 1050) << titleBar;
    QTest::newRow("just large enough") << QSize(1271, 879) << titleBar;
    QTest::newRow("one pixel short") << QSize(1271, 878) << titleBar;
    QTest::newRow("1280 × 800") << QSize(1280, 800) << titleBar;
    QTest::newRow("1366 × 768") << QSize(1366, 768) << titleBar;
    QTest::newRow("1366 × 768 at 125 %") << QSize(1093, 614) << titleBar;
    QTest::newRow("1024 × 768") << QSize(1024, 768) << titleBar;
    QTest::newRow("800 × 600") << QSize(800, 600) << titleBar;
    QTest::newRow("800 × 600, no frame") << QSize(800, 600) << QMargins();
    QTest::newRow("portrait") << QSize(768, 1366) << titleBar;
}

// The window, scaled and rounded down to whole pixels, fits with its frame, and is not made
// smaller than that: 1 when it fits as it is, otherwise one more pixel would not fit.
void TestApplication::fitFactor()
{
    QFETCH(QSize, room);
    QFETCH(QMargins, frame);
    const QSize client(1269, 854);

    const qreal factor = toolkit::fitFactor(client, frame, room);
    QVERIFY(factor > 0 && factor <= 1);
    const QSize scaled(int(client.width() * factor), int(client.height() * factor));
    const QSize free = room.shrunkBy(frame);
    QVERIFY(scaled.width() <= free.width() && scaled.height() <= free.height());
    if (client.width() <= free.width() && client.height() <= free.height())
        QCOMPARE(factor, 1.0);
    else
        QVERIFY(scaled.width() >= free.width() - 1 || scaled.height() >= free.height() - 1);
}

QTEST_APPLESS_MAIN(TestApplication)
#include "tst_application.moc"
