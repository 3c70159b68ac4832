#include "minigames/MgZodiacSigns.h"

#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/SimpleImageButton.h"
#include "engine/ui/UiServices.h"
#include "engine/ui/WidgetManager.h"
#include "minigames/CountdownButton.h"
#include "minigames/ZodiacSign.h"
#include "minigames/ZodiacSignsFile.h"

#include <algorithm>

namespace {

// Action ids of this game.
enum ZodiacAction : int { FinalGlowAction = 0 };

// The value of an int key, or nothing when the table lacks it.
std::optional<int> optionalInt(const std::string& key)
{
    const std::string text = getParamString(key, std::string());
    if (text.empty())
        return std::nullopt;
    return getParamInt(key, 0);
}

} // namespace

MgZodiacSigns::MgZodiacSigns(int questId)
    : MiniGameBase(questId)
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
    , imageFolder("content/images/minigames/ZodiacSigns/" + questKey + "/")
{
}

std::string MgZodiacSigns::key(const std::string& name) const
{
    return "MgZodiacSigns." + questKey + "." + name;
}

GLTexture* MgZodiacSigns::loadImage(const std::string& name)
{
    return addImage(imageFolder + name + imageExtension);
}

void MgZodiacSigns::raise(Widget* widget)
{
    if (widget && widget->getManager())
        widget->getManager()->raiseWidget(widget);
}

void MgZodiacSigns::build()
{
    MiniGameBase::build();
    auto* background = new ImageWidget(loadImage("background"), 0, 0);
    background->setEnabled(false);
    addWidget(background);
    if (requiredBool(key("HasFinalGlow"), false)) {
        finalGlow = new ImageWidget(loadImage("FinalGlow"), 0, 0);
        finalGlow->setEnabled(false);
        finalGlow->setTint(Color(255, 255, 255, 0));
        finalGlow->setVisible(false);
        addWidget(finalGlow);
    }
    raise(skipButton);
    raise(helpButton);

    const int sensitivity = requiredInt(key("PlacementSensitivity"), 0);
    ZodiacBoard::setTiming(optionalInt(key("GlowFadeTime")), optionalInt(key("TranslateTime")));
    const std::string file = requiredString(key("GameXmlFile"), std::string());
    std::vector<Point> inits;
    std::vector<Point> finals;
    if (!file.empty()) {
        for (const ZodiacSignDesc& desc : ZodiacSignsFile::load(ZodiacSignsFile::Folder + file)) {
            auto* sign = new ZodiacSign(loadImage(desc.image), desc.init, desc.hasGlow ? loadImage(desc.image + "G") : nullptr,
                                        loadImage(desc.constellationImage), desc.constellation,
                                        ZodiacBoard::glowFadeTime(), ZodiacBoard::translateTime());
            addWidget(sign);
            sign->setEnabled(false);
            signs.push_back(sign);
            inits.push_back(desc.init);
            finals.push_back(desc.final);
        }
    }
    board = ZodiacBoard(std::move(inits), std::move(finals), sensitivity);
}

void MgZodiacSigns::onMousePressed(MouseEvent* event)
{
    selected = -1;
    for (int i = 0; i < board.size(); ++i) {
        if (!board.isPlaced(i) && signs[static_cast<size_t>(i)]->hitTest(event->x, event->y)) {
            selected = i;
            break;
        }
    }
    if (selected < 0)
        return;
    ZodiacSign* sign = signs[static_cast<size_t>(selected)];
    // A sign caught on its way home stays in the hand.
    sign->stopReturn();
    board.moveTo(selected, Point(sign->getGeometry().x, sign->getGeometry().y));
    playUiSound("MG_PRESS");
    grabX = sign->getGeometry().x - event->x;
    grabY = sign->getGeometry().y - event->y;
    raise(sign);
}

void MgZodiacSigns::onMouseMoved(MouseEvent* event)
{
    if (selected < 0)
        return;
    const Point at(event->x + grabX, event->y + grabY);
    signs[static_cast<size_t>(selected)]->setPosition(at.x, at.y);
    board.moveTo(selected, at);
}

void MgZodiacSigns::onMouseReleased(MouseEvent*)
{
    if (selected < 0)
        return;
    playUiSound("MG_RELEASE");
    const int i = selected;
    selected = -1;
    ZodiacSign* sign = signs[static_cast<size_t>(i)];
    const ZodiacBoard::Drop drop = board.drop(i, Point(sign->getGeometry().x, sign->getGeometry().y));
    if (drop.place < 0) {
        sign->returnHome();
    } else {
        const Point to = board.position(i);
        sign->setPosition(to.x, to.y);
        if (drop.placed)
            sign->startGlow();
        // The signs still to place lie over the one just set down.
        for (int j = 0; j < board.size(); ++j) {
            if (j != i && !board.isPlaced(j))
                raise(signs[static_cast<size_t>(j)]);
        }
    }
    if (drop.placed)
        playUiSound("MG_INPLACE");
    if (board.allPlaced())
        onSolved();
}

void MgZodiacSigns::onSolved()
{
    markSolved();
    auto rise = std::make_unique<RelIncrementator<int>>(Duration(FinalGlowMs), &finalGlowAlpha, 255);
    rise->start(this, FinalGlowAction);
    addAction(std::move(rise));
    if (!finalGlow)
        return;
    raise(finalGlow);
    raise(skipButton);
    raise(helpButton);
    for (ZodiacSign* sign : signs) {
        raise(sign);
        sign->fadeGlowOut();
    }
}

void MgZodiacSigns::onUpdate(int dt)
{
    MiniGameBase::onUpdate(dt);
    if (finalGlow) {
        const auto alpha = static_cast<uint8_t>(finalGlowAlpha & 0xff);
        finalGlow->setTint(Color(255, 255, 255, alpha));
        // A full-screen picture costs as much drawn transparent as seen.
        finalGlow->setVisible(alpha != 0);
    }
}

void MgZodiacSigns::onActionFinished(int32_t id)
{
    switch (id) {
    case FinalGlowAction:
        scheduleFinish();
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

std::string MgZodiacSigns::puzzleState() const
{
    std::string placed;
    std::string at;
    for (int i = 0; i < board.size(); ++i) {
        placed += board.isPlaced(i) ? '1' : '0';
        const WidgetGeometry& g = signs[static_cast<size_t>(i)]->getGeometry();
        at += (i ? ";" : "") + std::to_string(g.x) + "," + std::to_string(g.y);
    }
    return "placed=" + placed + " selected=" + std::to_string(selected) + " at=" + at +
           (board.allPlaced() ? " solved" : "");
}
