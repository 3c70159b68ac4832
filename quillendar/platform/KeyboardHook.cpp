#include "quillendar/platform/KeyboardHook.h"

void KeyboardHook::install()
{
    installed = true;
}

void KeyboardHook::uninstall()
{
    installed = false;
    enabled = false;
}

void KeyboardHook::setEnabled(int enable)
{
    if (installed)
        enabled = enable != 0;
}
