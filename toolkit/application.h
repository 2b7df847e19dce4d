// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/screenfit.h"

#include <QApplication>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace toolkit {

/// The one application object: start-up, the main window, the event loop and the display of
/// exceptions that reach the top.
class Application
{
public:
    using ExceptionDisplay = std::function<void(const QString &message)>;

    /// Initialises the toolkit. The command line is not used by the program itself.
    Application(int &argc, char **argv);
    ~Application();

    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    /// Creates a window of class @p Form, stores it in @p form and keeps it until the
    /// application ends. The window's constructor builds its controls and runs its creation
    /// handler. A first window that can show its content scaled down (a member
    /// `scaleContent(qreal factor)`) is made to fit a screen too small for it.
    template<class Form> void CreateForm(Form *&form)
    {
        auto window = std::make_unique<Form>();
        form = window.get();
        if constexpr (requires(Form & f, qreal factor) { f.scaleContent(factor); }) {
            if (m_forms.empty())
                fitToScreen(*window, [&f = *window](qreal factor) { f.scaleContent(factor); });
        }
        m_forms.push_back(std::move(window));
    }

    /// Shows the first window and runs the event loop until it is closed.
    int Run();

    /// Runs @p startUp (which creates the windows), then the event loop. An exception that
    /// escapes either is shown with ShowException(); anything thrown that is not a
    /// std::exception is shown with an empty message. Always returns 0.
    int execute(const std::function<void()> &startUp);

    /// Shows @p message to the user (modal), or hands it to the display set for tests.
    static void ShowException(const QString &message);
    static void ShowException(const std::exception &error);
    /// Shows whatever is being handled now (call from a catch block).
    static void ShowCurrentException();
    /// Replaces the modal display (tests); an empty function restores it.
    static void setExceptionDisplay(ExceptionDisplay display);

private:
    QApplication m_app;
    std::vector<std::unique_ptr<QWidget>> m_forms;
};

} // namespace toolkit
