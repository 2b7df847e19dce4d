// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/application.h"

#include "toolkit/exception.h"
#include "toolkit/messagebox.h"

#include <QMessageBox>

namespace toolkit {

namespace {
Application::ExceptionDisplay &exceptionDisplay()
{
    static Application::ExceptionDisplay display;
    return display;
}
} // namespace

Application::Application(int &argc, char **argv) : m_app(argc, argv)
{
    QApplication::setApplicationName(QStringLiteral("simumoteurs"));
    // No display name: on X11 Qt would append it to every window title, and the main window's
    // title is its caption, word for word. The menu entry carries the program's name.
    QApplication::setOrganizationName(QStringLiteral("simumoteurs"));
    // Ties the window to its menu entry and icon on desktops that go by the desktop file.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.simumoteurs.Simumoteurs"));
    // Fusion draws the same on every desktop, so the window's style sheet looks as designed.
    QApplication::setStyle(QStringLiteral("Fusion"));
}

Application::~Application()
{
    // The windows go before the QApplication they live in.
    m_forms.clear();
}

int Application::Run()
{
    if (!m_forms.empty())
        m_forms.front()->show();
    return QApplication::exec();
}

int Application::execute(const std::function<void()> &startUp)
{
    try {
        startUp();
        Run();
    } catch (...) {
        ShowCurrentException();
    }
    return 0;
}

void Application::ShowException(const QString &message)
{
    if (const auto &display = exceptionDisplay()) {
        display(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, messageBoxTitle(), message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ShowExceptionBox"));
    scaleBoxText(box);
    box.exec();
}

void Application::ShowException(const std::exception &error)
{
    ShowException(QString::fromUtf8(error.what()));
}

void Application::ShowCurrentException()
{
    try {
        throw;
    } catch (const std::exception &error) {
        ShowException(error);
    } catch (...) {
        ShowException(Exception(QString()));
    }
}

void Application::setExceptionDisplay(ExceptionDisplay display)
{
    exceptionDisplay() = std::move(display);
}

} // namespace toolkit
