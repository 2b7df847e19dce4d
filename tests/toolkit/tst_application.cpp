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

using toolkit::Application;
using Thrower = std::function<void()>;

namespace {

// A window with a handler in the shape the main window's have.
class Form : public QWidget
{
public:
    Form() { toolkit::bindHandler(button, &QPushButton::clicked, this, &Form::Click); }
    void Click(QObject *sender)
    {
        senders << sender;
        if (thrower)
            thrower();
    }
    QPushButton *button = new QPushButton(this);
    QObjectList senders;
    Thrower thrower;
};

// Presses OK on the next modal box that opens and hands back its title and text.
void answerNextMessageBox(QStringList *shown)
{
    QTimer::singleShot(0, [shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return answerNextMessageBox(shown);
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
    void exceptionIsShownAndTheProgramGoesOn_data();
    void exceptionIsShownAndTheProgramGoesOn();
    void closingTheWindowEndsRunWithZero();
    void messagesAreModalBoxes();
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

void TestApplication::exceptionIsShownAndTheProgramGoesOn_data()
{
    QTest::addColumn<Thrower>("thrower");
    QTest::addColumn<QString>("shown");
    QTest::newRow("toolkit exception")
        << Thrower([] { throw toolkit::Exception(QStringLiteral("Élément hors limites")); })
        << QStringLiteral("Élément hors limites");
    QTest::newRow("standard exception")
        << Thrower([] { throw std::out_of_range("index 0"); }) << "index 0";
    QTest::newRow("not an exception object") << Thrower([] { throw 42; }) << QString();
}

// In a handler, and in start-up code, which then returns 0.
void TestApplication::exceptionIsShownAndTheProgramGoesOn()
{
    QFETCH(Thrower, thrower);
    QFETCH(QString, shown);
    QStringList displayed;
    Application::setExceptionDisplay([&](const QString &m) { displayed << m; });
    Form form;
    form.thrower = thrower;
    form.button->click();
    QCOMPARE(displayed, QStringList {shown});
    form.thrower = nullptr;
    form.button->click(); // the window still answers
    QCOMPARE(form.senders, QObjectList({form.button, form.button}));

    QCOMPARE(m_app->execute(thrower), 0);
    QCOMPARE(displayed, QStringList({shown, shown}));
}

void TestApplication::closingTheWindowEndsRunWithZero()
{
    Form *form = nullptr;
    QTimer::singleShot(100, [&] { form->close(); });
    QCOMPARE(m_app->execute([&] { m_app->CreateForm(form); }), 0);
    QVERIFY(form);
}

void TestApplication::messagesAreModalBoxes()
{
    const QString title = QStringLiteral("Simulateur de commande de moteurs");
    QStringList shown;
    answerNextMessageBox(&shown);
    Application::ShowException(toolkit::Exception(QStringLiteral("Accès refusé")));
    QCOMPARE(shown, QStringList({title, QStringLiteral("Accès refusé")}));
    answerNextMessageBox(&shown);
    toolkit::ShowMessage(QStringLiteral("Vous n'avez pas sélectionner le sens"));
    QCOMPARE(shown, QStringList({title, QStringLiteral("Vous n'avez pas sélectionner le sens")}));
}

// The window, scaled and rounded down to whole pixels, fits with its frame, and is not made
// smaller than that: 1 when it fits as it is, otherwise one more pixel would not fit.
void TestApplication::fitFactor()
{
    const QSize client(1269, 854);
    for (const QMargins frame : {QMargins(1, 21, 1, 4), QMargins()}) {
        for (const QSize room :
             {QSize(1920, 1050), QSize(1271, 879), QSize(1271, 878), QSize(1280, 800),
              QSize(1366, 768), QSize(1093, 614), QSize(800, 600), QSize(768, 1366)}) {
            const qreal factor = toolkit::fitFactor(client, frame, room);
            const QSize scaled(int(client.width() * factor), int(client.height() * factor));
            const QSize free = room.shrunkBy(frame);
            const QString at = QStringLiteral("%1 × %2").arg(room.width()).arg(room.height());
            QVERIFY2(factor > 0 && factor <= 1, qPrintable(at));
            QVERIFY2(scaled.width() <= free.width() && scaled.height() <= free.height(),
                     qPrintable(at));
            if (client.width() <= free.width() && client.height() <= free.height())
                QCOMPARE(factor, 1.0);
            else
                QVERIFY2(scaled.width() >= free.width() - 1 || scaled.height() >= free.height() - 1,
                         qPrintable(at));
        }
    }
}

QTEST_APPLESS_MAIN(TestApplication)
#include "tst_application.moc"
