#include "toolkit/panel.h"

namespace toolkit {

Panel::Panel(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
}

} // namespace toolkit
