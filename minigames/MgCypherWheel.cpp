#include "minigames/MgCypherWheel.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/UiServices.h"
#include "minigames/CypherWheelFile.h"
#include "minigames/CypherWheelWidget.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const ImageFolder = "content/images/minigames/CypherWheel/";
constexpr int LayoutWidth = 1024;
constexpr int LayoutHeight = 768;

// Half the application's size: the wheel's corner when the file names none.
Point screenMiddle()
{
    AppContext* app = appContext();
    const int w = app && app->getWidth() > 0 ? app->getWidth() : LayoutWidth;
    const int h = app && app->getHeight() > 0 ? app->getHeight() : LayoutHeight;
    return Point(w / 2, h / 2);
}

} // namespace

MgCypherWheel::MgCypherWheel(int questId)
    : MiniGameBase(questId)
    , questFolder(questKey)
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
{
    auto fade = std::make_unique<ActionSequence>();
    fade->add(std::make_unique<Setter<int>>(&wordAlpha, 0));
    fade->add(std::make_unique<RelIncrementator<int>>(Duration(WordFadeMs), &wordAlpha, 255));
    wordFade = fade.get();
    addAction(std::move(fade));
}

MgCypherWheel::~MgCypherWheel() = default;

Color MgCypherWheel::whiteWithAlpha(int alpha)
{
    return Color(255, 255, 255, static_cast<uint8_t>(std::clamp(alpha, 0, 255)));
}

GLTexture* MgCypherWheel::loadImage(const std::string& name)
{
    return addImage(ImageFolder + questFolder + "/" + name + imageExtension);
}

void MgCypherWheel::build()
{
    MiniGameBase::build();
    const std::string file = requiredString("MgCypherWheel." + questFolder + ".GameXmlFile", std::string());
    const CypherWheelDesc desc = CypherWheelFile::load(CypherWheelFile::Folder + file, screenMiddle());
    if (!desc.background.empty())
        addWidget(new ImageWidget(loadImage(desc.background), 0, 0, true));
    if (!desc.glow.empty()) {
        glowImage = new ImageWidget(loadImage(desc.glow), 0, 0, true);
        glowImage->setTint(whiteWithAlpha(0));
        addWidget(glowImage);
    }
    if (desc.loaded && desc.dialImage.empty())
        logError("cypher wheel: quest " + std::to_string(questId) + ": \"" + file +
                 "\" names no dialImage; there is no wheel and the game can only be skipped");
    if (!desc.dialImage.empty()) {
        wheel = new CypherWheelWidget(this, loadImage(desc.dialImage), desc.angleTolerance, desc.rotationFactor);
        wheel->setPosition(desc.dial.x, desc.dial.y);
        addWidget(wheel);
        std::vector<float> angles;
        for (const SolutionComponentDesc& d : desc.components) {
            SolutionComponent piece;
            piece.angle = d.angle;
            piece.wheelOverlay = d.wheelOverlay.empty() ? nullptr : loadImage(d.wheelOverlay);
            piece.wheelSymbol = d.wheelSymbol.image.empty() ? nullptr : loadImage(d.wheelSymbol.image);
            piece.wheelSymbolPosition = d.wheelSymbol.position;
            piece.wordSymbol = d.wordSymbol.image.empty() ? nullptr : loadImage(d.wordSymbol.image);
            piece.wordPosition = d.wordSymbol.position;
            components.push_back(piece);
            angles.push_back(d.angle);
        }
        solution = CypherSolution(std::move(angles));
        if (components.empty())
            logError("cypher wheel: quest " + std::to_string(questId) + ": \"" + file +
                     "\" has no SolutionComponent; the game can only be skipped");
        wheel->setTargetAngle(solution.targetAngle());
    }
    raiseFrameButtons();
}

void MgCypherWheel::onPlayStart()
{
    if (wheel)
        wheel->startSpin();
}

void MgCypherWheel::onButton(int id, int state)
{
    MiniGameBase::onButton(id, state);
    if (id == CypherWheelWidget::WheelId && state == 1 && wheel && wheel->isInPlace())
        reveal();
}

ImageWidget* MgCypherWheel::wordImageFor(const SolutionComponent& piece)
{
    auto* word = new ImageWidget(piece.wordSymbol, piece.wordPosition.x, piece.wordPosition.y);
    addWidget(word);
    return word;
}

std::string MgCypherWheel::revealSound() const
{
    return "MG_CYPHERWHEEL_CORRECT";
}

void MgCypherWheel::reveal()
{
    // A wheel that snapped with no piece left (or none at all) shows nothing.
    if (!solution.hasCurrent())
        return;
    const SolutionComponent& piece = components[static_cast<size_t>(solution.index())];
    const WidgetGeometry& g = wheel->getGeometry();
    wheel->showPiece(piece.wheelOverlay, piece.wheelSymbol,
                     Point(piece.wheelSymbolPosition.x - g.x, piece.wheelSymbolPosition.y - g.y));
    // The last piece wins the game; its word fades in first.
    if (solution.index() + 1 >= solution.size())
        markSolved();
    wordFade->start(this, WordFadeAction);
    wordImage = wordImageFor(piece);
    wordImage->setTint(whiteWithAlpha(0));
    playUiSound(revealSound());
}

void MgCypherWheel::onActionFinished(int32_t id)
{
    switch (id) {
    case WordFadeAction:
        if (wordImage)
            wordImage->setTint(whiteWithAlpha(wordAlpha));
        if (solution.advance()) {
            onSolved();
            break;
        }
        wheel->setTargetAngle(solution.targetAngle());
        wheel->setActive(true);
        wheel->clearPiece();
        break;
    case GlowFadeAction:
        scheduleFinish();
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

void MgCypherWheel::onSolved()
{
    markSolved();
    if (!glowImage) {
        scheduleFinish();
        return;
    }
    glowAlpha = 0;
    auto fade = std::make_unique<RelIncrementator<int>>(Duration(GlowFadeMs), &glowAlpha, 255);
    fade->start(this, GlowFadeAction);
    glowFade = fade.get();
    addAction(std::move(fade));
}

void MgCypherWheel::onUpdate(int dt)
{
    MiniGameBase::onUpdate(dt);
    if (wordImage && wordFade->isRunning())
        wordImage->setTint(whiteWithAlpha(wordAlpha));
    if (glowImage && glowFade) {
        glowImage->setTint(whiteWithAlpha(glowAlpha));
        if (!glowFade->isRunning())
            glowFade = nullptr;
    }
}

std::string MgCypherWheel::puzzleState() const
{
    if (!wheel)
        return "wheel=none";
    std::string out = "wheel=" + std::to_string(static_cast<int>(std::lround(wheel->getAngle())));
    if (solution.hasCurrent())
        out += " target=" + std::to_string(static_cast<int>(std::lround(solution.targetAngle())));
    out += wheel->isSpinning() ? " spinning" : wheel->isActive() ? " active" : " locked";
    out += " decoded=" + std::to_string(solution.index()) + "/" + std::to_string(solution.size());
    return out;
}
