#include "scenes/SceneScore.h"

#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/ScreenBase.h"
#include "game/ContentTables.h"
#include "scenes/ScoreNotificationWidget.h"
#include "scenes/ScoreWidget.h"
#include "scenes/SceneText.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int ScreenW = 1024;

} // namespace

SceneScore::SceneScore(ScreenBase* owner) : screen(owner) {}

void SceneScore::open(int score)
{
    if (widget)
        return;
    GLTexture* panel = screen->getResources()->findTexture("GUI_BG_SCORE");
    const int x = (ScreenW - (panel ? panel->getWidth() : 0)) / 2;
    const int y = 0;
    widget = new ScoreWidget(&x, &y, sceneLabel("SCORE"), panel, FONT_TIMES16);
    widget->setValue(std::max(score, 0));
    screen->addWidget(widget);
    profileHeld = score;
}

int SceneScore::value() const
{
    return widget ? widget->getValue() : 0;
}

void SceneScore::set(int score)
{
    if (widget)
        widget->setValue(std::max(score, 0));
}

int SceneScore::add(int points)
{
    const long long sum = static_cast<long long>(widget->getValue()) + points;
    widget->setValue(sum <= 0 ? 0 : static_cast<int>(std::min<long long>(sum, INT_MAX)));
    return widget->getValue();
}

ScoreNotificationWidget* SceneScore::takeNotification()
{
    for (ScoreNotificationWidget* note : notifications)
        if (note->isIdle())
            return note;
    auto* note = new ScoreNotificationWidget(FONT_TIMES16);
    notifications.push_back(note);
    screen->addWidget(note);
    return note;
}

void SceneScore::pointsOf(int typeId, const char*& key, const char*& text)
{
    key = text = nullptr;
    if (typeId == 0) {
        key = "Points.ItemFound";
        text = "SCORE_ITEM_FOUND";
    } else if (typeId >= 100 && typeId <= 199) {
        key = "Points.KeyItemFound";
        text = "SCORE_KEY_ITEM_FOUND";
    } else if (typeId == 200 || typeId == 213) {
        key = "Points.RuneFound";
        text = "SCORE_RUNE_FOUND";
    } else if (typeId == 667) {
        key = "Points.MagicBonusItem";
        text = "SCORE_MAGIC_ITEM_FOUND";
    }
}

int SceneScore::award(int typeId, int x, int y)
{
    if (!widget)
        return 0;
    ScoreNotificationWidget* note = takeNotification();
    const char* key = nullptr;
    const char* text = nullptr;
    pointsOf(typeId, key, text);
    const int before = widget->getValue();
    const int after = add(key ? getParamInt(key, 0) : 0);
    if (after > 0)
        note->show(x, y, text ? sceneLabel(text) : std::string(), nullptr);
    return after - before;
}

void SceneScore::holdBack(const ItemState* item, int points)
{
    if (item && points != 0)
        held[item] += points;
}

void SceneScore::release(const ItemState* item)
{
    held.erase(item);
}

int SceneScore::heldBack() const
{
    long long sum = 0;
    for (const auto& entry : held)
        sum += entry.second;
    return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

int SceneScore::settled() const
{
    const long long rest = static_cast<long long>(value()) - heldBack();
    return static_cast<int>(std::clamp<long long>(rest, 0, INT_MAX));
}

void SceneScore::takeProfileGain(int profileScore)
{
    if (!widget || profileScore == profileHeld)
        return;
    const long long shown = static_cast<long long>(widget->getValue()) + profileScore - profileHeld;
    widget->setValue(static_cast<int>(std::clamp<long long>(shown, 0, INT_MAX)));
    profileHeld = profileScore;
}

int SceneScore::settle(int profileScore)
{
    if (!widget)
        return 0;
    takeProfileGain(profileScore);
    profileHeld = settled();
    return profileHeld;
}

void SceneScore::penalise(int x, int y)
{
    if (!widget)
        return;
    const int score = add(getParamInt("Points.WrongClick", -25));
    ScoreNotificationWidget* note = takeNotification();
    const Color red(255, 0, 0, 255);
    if (score > 0)
        note->show(x, y, sceneLabel("SCORE_ITEM_MISSED"), &red);
}
