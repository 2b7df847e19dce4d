#include "app/tform2.h"

#include "toolkit/application.h"

int main(int argc, char *argv[])
{
    toolkit::Application application(argc, argv);
    return application.execute([&] { application.CreateForm(Form2); });
}
