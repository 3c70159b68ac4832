#include "minigames/MiniGameBase.h"

#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/store/ConfigFile.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"

#include <algorithm>

namespace {

const Color BackgroundFill(24, 32, 40, 255);

int fadeLength(const std::string& key)
{
    return std::max(0, getParamInt(key, MiniGameBase::DefaultFadeMs));
}

} // namespace

MiniGameBase::MiniGameBase(int quest, const std::string& screenTitle)
    : ScreenBase(std::string())
    , questId(quest)
    , title(screenTitle)
{
    QuestManager* quests = QuestManager::instance();
    // Reaching a later quest's minigame finishes the quest the player was on.
    const Quest* current = quests->getCurrent();
    if (current && current->id < questId)
        quests->completeCurrent();
    if (Quest* own = quests->questAt(questId)) {
        quests->setCurrent(questId);
        own->open = true;
    }
    setInTransition(new FadeInTransition(fadeLength("MiniGameBase.FadeInTransition")));
    setOutTransition(new FadeOutTransition(fadeLength("MiniGameBase.FadeOutTransition")));
}

bool MiniGameBase::isBonusQuest(int id)
{
    return id == 27 || id == 41 || id == 49;
}

void MiniGameBase::loadResources()
{
    registerMiniGameBaseResources(getResources());
}

void MiniGameBase::build()
{
    layout.attach(this, "MG_BASE_BG_PH", "MG_BASE_BTN_BIG_N", "MG_BASE_BTN_BIG_O");
    layout.addTitle(title, 160);
    layout.addText("Quest " + std::to_string(questId), 230);
    layout.addButtonRow(this, {{SolvedButton, "Solved"}, {SkipButton, "Skip"}}, 560);
}

void MiniGameBase::drawBackground(Graphics& g)
{
    layout.drawBackground(g, BackgroundFill);
}

void MiniGameBase::onButtonEvent(int id, int event)
{
    if (event != 1)
        return;
    if (id == SolvedButton || id == SkipButton)
        close(id, true);
}

void MiniGameBase::recordQuest()
{
    // A bonus quest is recorded on the player's profile, not in the quest
    // graph.
    if (!isBonusQuest(questId)) {
        QuestManager::instance()->complete(questId);
        return;
    }
    if (PlayerProfile* profile = PlayerProfiles::instance()->currentProfile())
        profile->setBonusFlag(questId);
}

void MiniGameBase::awardPoints()
{
    PlayerProfiles* players = PlayerProfiles::instance();
    PlayerProfile* profile = players->currentProfile();
    if (!profile || profile->getPlayMode() != PlayerProfile::Fearless)
        return;
    profile->addScore(getParamInt("Points.MiniGame", DefaultPoints));
    players->addHighScore(profile);
}

void MiniGameBase::onClosed(int resultCode)
{
    if (resultCode != SolvedCode && resultCode != SkippedCode)
        return;
    recordQuest();
    if (resultCode == SolvedCode)
        awardPoints();
    ScreenRoutes::leave(this);
}
