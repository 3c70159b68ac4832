#include "quillendar/platform/WindowControl.h"

void WindowControl::addMaximizeBox()
{
    maximizeBox = true;
}

void WindowControl::removeMaximizeBox()
{
    maximizeBox = false;
}

void WindowControl::restore()
{
}

bool WindowControl::isMinimized() const
{
    return false;
}
