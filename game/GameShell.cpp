#include "game/GameShell.h"

namespace {
GameShell* g_shell = nullptr;  // not owned: the application installs itself
}

GameShell* GameShell::instance()
{
    return g_shell;
}

void GameShell::install(GameShell* shell)
{
    g_shell = shell;
}
