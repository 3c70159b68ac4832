#include "engine/ui/UiServices.h"

namespace {
UiServices* g_services = nullptr;
}

UiServices* uiServices()
{
    return g_services;
}

void setUiServices(UiServices* services)
{
    g_services = services;
}

void playUiSound(const std::string& name)
{
    if (g_services && g_services->soundsLoaded())
        g_services->playNamed(name);
}
