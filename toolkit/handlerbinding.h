// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/tabcontrol.h"

#include <QObject>

#include <functional>

namespace toolkit {

/// Runs @p handler; an exception it raises is shown with the exception display and goes no
/// further, so that the event loop never sees it and the program goes on.
void invokeGuarded(const std::function<void()> &handler) noexcept;

/// Binds @p handler of @p form to @p signal of @p sender: the handler runs on every emission
/// with the sender as its argument, guarded as invokeGuarded() says.
template<class Sender, class Signal, class Form>
QMetaObject::Connection bindHandler(Sender *sender, Signal signal, Form *form,
                                    void (Form::*handler)(QObject *))
{
    return QObject::connect(sender, signal, form, [sender, form, handler] {
        invokeGuarded([&] { (form->*handler)(sender); });
    });
}

/// Binds @p handler of @p form to the clicks on the header of @p item in @p tabs: the handler
/// runs on every such click with the item as its argument, guarded as invokeGuarded() says.
template<class Form>
QMetaObject::Connection bindHandler(TabControl *tabs, TabItem *item, Form *form,
                                    void (Form::*handler)(QObject *))
{
    return QObject::connect(tabs, &TabControl::itemClicked, form,
                            [item, form, handler](TabItem *clicked) {
                                if (clicked == item)
                                    invokeGuarded([&] { (form->*handler)(item); });
                            });
}

} // namespace toolkit
