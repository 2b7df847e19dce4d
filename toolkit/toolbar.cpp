#include "toolkit/toolbar.h"

namespace toolkit {

ToolBar::ToolBar(QWidget *parent) : QFrame(parent)
{
    setAutoFillBackground(true);
}

} // namespace toolkit
