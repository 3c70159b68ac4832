#include "engine/core/AppContext.h"

namespace {
AppContext* g_app = nullptr;
}

AppContext* appContext()
{
    return g_app;
}

void setAppContext(AppContext* app)
{
    g_app = app;
}
