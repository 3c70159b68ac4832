#include "minigames/MgFaceDrawing.h"

#include "engine/anim/Tweens.h"
#include "engine/core/Log.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/UiServices.h"
#include "game/ContentTables.h"
#include "minigames/FaceDrawingFile.h"
#include "minigames/StarWidget.h"

namespace {

// Action ids of this game.
enum FaceAction : int { OutlineAction = 0 };

const char* const ImageFolder = "content/images/minigames/FaceDrawing/";

} // namespace

MgFaceDrawing::MgFaceDrawing(int questId)
    : MiniGameBase(questId)
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
{
    auto fade = std::make_unique<RelIncrementator<int>>(Duration(OutlineFadeMs), &outlineAlpha, 255);
    outlineFade = fade.get();
    addAction(std::move(fade));
}

void MgFaceDrawing::loadResources()
{
    MiniGameBase::loadResources();
    registerFaceDrawingResources(getResources());
}

void MgFaceDrawing::build()
{
    MiniGameBase::build();
    ResourceManager* res = getResources();
    const std::string file = requiredString("MgFaceDrawing.GameXmlFile", std::string());
    const FaceDrawingDesc desc = file.empty() ? FaceDrawingDesc() : FaceDrawingFile::load(FaceDrawingFile::Folder + file);
    for (const Point& at : desc.stars) {
        auto* star = new StarWidget(static_cast<int>(stars.size()), res->findTexture("MG_FACEDRAWING_STAR"),
                                    res->findTexture("MG_FACEDRAWING_STAR_WRONG"), res->getFont("FONT_STARS"), at.x,
                                    at.y, this);
        addWidget(star);
        stars.push_back(star);
    }
    for (size_t k = 0; k < desc.connections.size(); ++k) {
        const Point& at = desc.connections[k];
        auto* line = new ImageWidget(addImage(ImageFolder + std::to_string(k + 1) + imageExtension), at.x, at.y);
        // Hidden until its star is joined.
        line->setVisible(false);
        line->setEnabled(false);
        addWidget(line);
        connections.push_back(line);
    }
    if (desc.hasOutline) {
        outline = new ImageWidget(res->findTexture("MG_FACEDRAWING_FINAL_OUTLINE"), desc.outline.x, desc.outline.y);
        outline->setTint(Color(255, 255, 255, 0));
        outline->setVisible(false);
        outline->setEnabled(false);
        addWidget(outline);
    }
    if (!stars.empty() && connections.size() + 1 < stars.size())
        logWarning("face drawing: \"" + file + "\" has " + std::to_string(connections.size()) + " lines for " +
                   std::to_string(stars.size()) + " stars; the joins without one show no line");
    chain = StarChain(static_cast<int>(stars.size()));
}

void MgFaceDrawing::drawBackground(Graphics& g)
{
    if (GLTexture* background = getResources()->findTexture("MG_FACEDRAWING_BG"))
        g.drawImage(0, 0, background, Color::white());
}

void MgFaceDrawing::onPlayStart()
{
    if (!stars.empty() && !chain.isJoined(0))
        stars.front()->startPulse();
}

void MgFaceDrawing::onUpdate(int dt)
{
    MiniGameBase::onUpdate(dt);
    if (outline) {
        const auto alpha = static_cast<uint8_t>(outlineAlpha & 0xff);
        outline->setTint(Color(255, 255, 255, alpha));
        outline->setVisible(alpha != 0);
    }
}

int MgFaceDrawing::starAt(int x, int y) const
{
    for (StarWidget* star : stars) {
        if (star->hitTest(x, y))
            return star->getIndex();
    }
    return -1;
}

void MgFaceDrawing::takeStar(int i)
{
    switch (chain.take(i)) {
    case StarChain::Take::Wrong:
        stars[static_cast<size_t>(i)]->showWrong(true);
        return;
    case StarChain::Take::First:
        stars[static_cast<size_t>(i)]->stopPulse();
        break;
    case StarChain::Take::Joined:
        playUiSound("MG_FACEDRAWING_CONNECTED");
        if (static_cast<size_t>(i - 1) < connections.size())
            connections[static_cast<size_t>(i - 1)]->setVisible(true);
        stars[static_cast<size_t>(i)]->startPop();
        break;
    case StarChain::Take::Nothing:
        return;
    }
    if (chain.isSolved()) {
        playUiSound("MG_FACEDRAWING_FINISHED");
        onSolved();
    }
}

void MgFaceDrawing::releaseStar()
{
    const int red = chain.getRed();
    chain.release();
    if (red >= 0)
        stars[static_cast<size_t>(red)]->showWrong(false);
}

void MgFaceDrawing::onButton(int id, int buttonState)
{
    MiniGameBase::onButton(id, buttonState);
    if (id >= SkipButtonId)
        return;
    if (buttonState == 0)
        takeStar(id);
    else if (buttonState == 1)
        releaseStar();
}

void MgFaceDrawing::onMouse(MouseEvent event)
{
    MiniGameBase::onMouse(event);
    // A frame message covers the stars while it is open.
    if (state != Running || getOpenDialog() != 0)
        return;
    switch (event.type) {
    case MouseEvent::Press:
        for (StarWidget* star : stars) {
            if (star->hitTest(event.x, event.y))
                playUiSound("MG_FACEDRAWING_SELECTSTAR");
        }
        break;
    case MouseEvent::Release:
        releaseStar();
        break;
    case MouseEvent::Move:
        if (event.buttons != MouseEvent::Left)
            break;
        // Step by step as the widgets saw it, so a quick stroke does not
        // jump over a star.
        for (const MouseEvent& step : splitMotion(event)) {
            releaseStar();
            const int i = starAt(step.x, step.y);
            if (i >= 0)
                takeStar(i);
        }
        break;
    default:
        break;
    }
}

void MgFaceDrawing::onSolved()
{
    markSolved();
    outlineFade->start(this, OutlineAction);
}

void MgFaceDrawing::onActionFinished(int32_t id)
{
    switch (id) {
    case OutlineAction:
        scheduleFinish();
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

std::string MgFaceDrawing::puzzleState() const
{
    return "joined=" + std::to_string(chain.getLastConnected()) + "/" + std::to_string(chain.size()) +
           " red=" + std::to_string(chain.getRed()) + (chain.isSolved() ? " solved" : "");
}
