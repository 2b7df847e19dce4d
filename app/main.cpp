// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform2.h"

#include "toolkit/application.h"

int main(int argc, char *argv[])
{
    toolkit::Application application(argc, argv);
    return application.execute([&] { application.CreateForm(Form2); });
}
