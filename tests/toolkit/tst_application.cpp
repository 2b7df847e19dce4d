// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/application.h"
#include "toolkit/exception.h"
#include "toolkit/handlerbinding.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

using toolkit::Application;
using Thrower = std::function<void()>;

// A window with a handler in the shape the main window's have.
class Form : public QWidget
{
public:
    Form() { toolkit::bindHandler(button, &QPushButton::clicked, this, &Form::Click); }
    void Click(QObject *sender)
    {
        senders << sender;
        if (thrower)
            std::exchange(thrower, nullptr)();
    }
    QPushButton *button = new QPushButton(this);
    QObjectList senders;
    Thrower thrower;
};

class TestApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exceptionIsShownAndTheProgramGoesOn();
};

// In a handler, and in start-up code, which then returns 0 as a closed window does.
void TestApplication::exceptionIsShownAndTheProgramGoesOn()
{
    static int argc = 1;
    static char name[] = "tst_application", *argv[] = {name, nullptr};
    Application app(argc, argv);
    QStringList shown;
    Application::setExceptionDisplay([&](const QString &m) { shown << m; });
    for (const Thrower &thrower :
         {Thrower([] { throw toolkit::Exception(QStringLiteral("Élément hors limites")); }),
          Thrower([] { throw std::out_of_range("index 0"); }), Thrower([] { throw 42; })}) {
        Form form;
        form.thrower = thrower;
        form.button->click();
        form.button->click(); // the window still answers
        QCOMPARE(form.senders, QObjectList({form.button, form.button}));
        QCOMPARE(app.execute(thrower), 0);
    }
    QCOMPARE(shown,
             QStringList(
                 {"Élément hors limites", "Élément hors limites", "index 0", "index 0", "", ""}));
    Form *form = nullptr;
    QTimer::singleShot(100, [&] { form->close(); });
    QCOMPARE(app.execute([&] { app.CreateForm(form); }), 0);
}

QTEST_APPLESS_MAIN(TestApplication)
#include "tst_application.moc"
