#include "frontend/ChapterTransition.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/InputEvents.h"
#include "frontend/DiaryScreen.h"
#include "frontend/FrontendUi.h"
#include "frontend/ScreenRoutes.h"

ChapterTransition::ChapterTransition(int* chapterNumber)
    : ScreenBase(std::string())
    , chapter(chapterNumber ? *chapterNumber : 0)
    , player(std::make_unique<AnimationPlayer>())
{
    (void)player->loadAnimation(ClipId, ClipFile);
    caption = FrontendUi::label("CHAPTER_ENTRY_" + std::to_string(chapter));
}

ChapterTransition::~ChapterTransition()
{
    sequence.reset();
    // The clip on the screen outlives the player as a widget.
    player.reset();
}

void ChapterTransition::loadResources() {}

void ChapterTransition::build()
{
    player->playAnimation(ClipId, 0, 0, 0, this);
    sequence = then(then(std::make_unique<ActionDelay>(Duration(DelayMs)),
                         std::make_unique<RelIncrementator<int>>(Duration(FadeMs), &alpha, 255)),
                    std::make_unique<ActionDelay>(Duration(HoldMs)));
    sequence->start(this, 0);
}

void ChapterTransition::onUpdate(int dt)
{
    if (sequence && sequence->isRunning())
        sequence->update(dt);
}

void ChapterTransition::drawOverlay(Graphics& g)
{
    Font* font = FrontendUi::font("FONT_TIMES60_NE");
    if (!font)
        return;
    const int x = static_cast<int>((1024 - font->textWidth(caption)) * 0.5);
    const int y = static_cast<int>((768 - font->getLineHeight()) * 0.5);
    font->drawRun(g, x, y, caption, Color(255, 255, 255, static_cast<uint8_t>(alpha)));
}

void ChapterTransition::onKey(KeyEvent* event)
{
    if (!event || event->key != 27 || event->type != KeyEvent::Pressed || getState() != Running)
        return;
    if (sequence && sequence->isRunning())
        sequence->stop();
    close(CloseCode, true);
}

void ChapterTransition::onActionFinished(int32_t id)
{
    if (id == 0 && getState() == Running)
        close(CloseCode, true);
}

void ChapterTransition::onClosed(int)
{
    player->stopAnimation(ClipId);
    player->removeAnimation(ClipId, this);
    ScreenRoutes::leave(this, new DiaryScreen(false, -1, true, false, false));
}
