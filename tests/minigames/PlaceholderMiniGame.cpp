#include "tests/minigames/PlaceholderMiniGame.h"

namespace {
const Color BackgroundFill(24, 32, 40, 255);
} // namespace

PlaceholderMiniGame::PlaceholderMiniGame(int questId, const std::string& screenTitle)
    : MiniGameBase(questId)
    , title(screenTitle)
{
}

void PlaceholderMiniGame::build()
{
    MiniGameBase::build();
    layout.attach(this, "MG_BASE_BG_PH", "MG_BASE_BTN_BIG_N", "MG_BASE_BTN_BIG_O");
    layout.addTitle(title, 160);
    layout.addText("Quest " + std::to_string(questId), 230);
    layout.addButtonRow(this, {{SolvedButtonId, "Solved"}, {SkipNowButtonId, "Skip"}}, 560);
}

void PlaceholderMiniGame::drawBackground(Graphics& g)
{
    layout.drawBackground(g, BackgroundFill);
}

void PlaceholderMiniGame::onButtonEvent(int id, int event)
{
    if (event != 1)
        return;
    switch (id) {
    case SolvedButtonId:
        onSolved();
        break;
    case SkipNowButtonId:
        onButton(SkipButtonId, 1);
        break;
    default:
        break;
    }
}

std::string PlaceholderMiniGame::puzzleState() const
{
    return "placeholder " + title;
}
