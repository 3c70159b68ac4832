#include "frontend/DialogCharacter.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/audio/MixSound.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/Font.h"
#include "engine/ui/Animation2D.h"
#include "engine/ui/AnimationPlayer.h"
#include "frontend/DialogStep.h"
#include "frontend/FrontendUi.h"
#include "game/SfxContainer.h"

namespace {
const int TypingId = 0;
}

DialogCharacter::DialogCharacter(DialogCharacterSet* owner)
    : set(owner)
    , lineFont(FrontendUi::font("FONT_JESTER16"))
    , nameFont(FrontendUi::font("FONT_TIMES24"))
{
}

DialogCharacter::~DialogCharacter() = default;

void DialogCharacter::attach(AnimationPlayer* animationPlayer, ScreenBase* onScreenOf)
{
    player = animationPlayer;
    screen = onScreenOf;
    for (bool& flag : onScreen)
        flag = false;
}

void DialogCharacter::reposition(int x, int y)
{
    posX = x;
    posY = y;
    textBox.x += x;
    textBox.y += y;
    nameBox.x += x;
    nameBox.y += y;
}

void DialogCharacter::playAnimation(int kind)
{
    if (!player || !screen || kind < 0 || kind >= KindCount)
        return;
    for (int k = 0; k < KindCount; ++k) {
        if (onScreen[k]) {
            player->removeAnimation(animationId(k), screen);
            onScreen[k] = false;
        }
    }
    if (!player->loadAnimation(animationId(kind), animationPaths[kind]))
        return;
    onScreen[kind] = true;
    player->playAnimation(animationId(kind), animationId(kind), posX, posY, screen);
}

bool DialogCharacter::isTyping() const
{
    return typed <= static_cast<int>(line.size());
}

void DialogCharacter::stopLine()
{
    if (!isTyping())
        return;
    if (action)
        action->stop();
    if (currentStep)
        SfxContainer::instance()->stopSound(currentStep->textLabel);
}

void DialogCharacter::say(DialogStep* step, bool beginTalk)
{
    if (!step)
        return;
    const Sound* voice = SfxContainer::instance()->getSound(step->textLabel);
    const auto* mixed = dynamic_cast<const MixSound*>(voice);
    const int ms = mixed ? mixed->getLengthMs() : 0;
    sayWithVoice(step, beginTalk, ms > 0 ? static_cast<unsigned>(ms) : 0u, voice != nullptr);
}

void DialogCharacter::sayWithVoice(DialogStep* step, bool beginTalk, unsigned voiceMs, bool playVoice)
{
    if (!step)
        return;
    stopLine();
    currentStep = step;
    line = step->text;
    textAlpha = 255;
    const unsigned delay = voiceMs / (static_cast<unsigned>(line.size()) + 100u);
    if (delay < 1) {
        typed = static_cast<int>(line.size()) + 1;
        shown = line;
    } else {
        typed = 1;
        shown = line.substr(0, 1);
    }
    if (beginTalk)
        playAnimation(BeginTalkKind);
    if (delay >= 1) {
        action = std::make_unique<ActionDelay>(Duration(static_cast<int32_t>(delay)));
        action->start(this, TypingId);
    } else {
        action.reset();
    }
    if (playVoice)
        SfxContainer::instance()->playSound(step->textLabel, false);
}

void DialogCharacter::onActionFinished(int32_t actionId)
{
    if (actionId != TypingId)
        return;
    ++typed;
    shown = line.substr(0, static_cast<size_t>(typed));
    if (typed <= static_cast<int>(line.size()) && action)
        action->start(this, TypingId);
}

void DialogCharacter::endTalk()
{
    stopLine();
    // The line counts as said: a later endTalk must not stop a voice again.
    typed = static_cast<int>(line.size()) + 1;
    playAnimation(EndTalkKind);
    textAlpha = 255;
    int pause = 0;
    if (player) {
        if (const Animation2D* clip = player->findAnimation(animationId(EndTalkKind)))
            pause = clip->getLength() / 2;
    }
    auto fade = std::make_unique<ActionSequence>();
    fade->add(std::make_unique<Setter<int32_t>>(&textAlpha, 255));
    fade->add(std::make_unique<RelIncrementator<int32_t>>(Duration(FadeMs), &textAlpha, -255));
    fade->add(std::make_unique<ActionDelay>(Duration(pause)));
    fade->start(nullptr, 0);
    action = std::move(fade);
}

void DialogCharacter::poll()
{
    if (action && action->isRunning())
        action->step();
}

void DialogCharacter::drawText(Color colour, Graphics& g) const
{
    const Color c(colour.r, colour.g, colour.b, static_cast<uint8_t>(textAlpha < 0 ? 0 : textAlpha > 255 ? 255 : textAlpha));
    if (lineFont)
        lineFont->drawTextInBox(g, textBox, shown, c, 0, 2, true);
    if (nameFont)
        nameFont->drawTextInBox(g, nameBox, toUpper(name), c, 2, 2, false);
}

void DialogCharacter::releaseAnimations()
{
    if (!player)
        return;
    for (int k = 0; k < KindCount; ++k) {
        player->stopAnimation(animationId(k));
        player->removeAnimation(animationId(k), screen);
        onScreen[k] = false;
    }
}
