// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/handlerbinding.h"

#include "toolkit/application.h"

namespace toolkit {

void invokeGuarded(const std::function<void()> &handler) noexcept
{
    try {
        handler();
    } catch (...) {
        Application::ShowCurrentException();
    }
}

} // namespace toolkit
