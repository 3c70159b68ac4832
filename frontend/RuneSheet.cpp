#include "frontend/RuneSheet.h"

#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"

#include <string>

namespace {
const Color Veil(0, 0, 0, 170);
}

RuneSheet::RuneSheet()
    : ScreenBase(std::string())
{
}

void RuneSheet::loadResources()
{
    registerRuneSheetResources(getResources());
}

void RuneSheet::build()
{
    layout.attach(this, std::string(), "RUNE_BTN_OK_N", "RUNE_BTN_OK_O");
    layout.addTitle("Runes and Spells", 280);
    layout.addButtonRow(this, {{CloseButton, "Close"}}, 420);
}

void RuneSheet::drawBackground(Graphics& g)
{
    layout.drawBackground(g, Veil);
}

void RuneSheet::onButtonEvent(int id, int event)
{
    if (event == 1 && id == CloseButton)
        close(CloseCode, true);
}

void RuneSheet::onClosed(int)
{
    ScreenRoutes::leave(this);
}
