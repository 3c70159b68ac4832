#include "minigames/MgMatchElements.h"

#include "engine/anim/ActionDelay.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/core/StringUtils.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/UiServices.h"
#include "engine/ui/WidgetManager.h"
#include "game/ContentTables.h"
#include "minigames/CustomImageWidget.h"

#include <algorithm>

namespace {

// Action ids of this game.
enum MatchAction : int { SolvedGlowAction = 0 };

const char* const Prefix = "MgMatchElements.";
const char* const ImageFolder = "content/images/minigames/MatchElements/";
// Pieces are scattered inside the screen less this margin at the right and
// bottom.
constexpr int ScatterMargin = 100;

std::string key(const std::string& name)
{
    return Prefix + name;
}

} // namespace

MgMatchElements::MgMatchElements(int questId)
    : MiniGameBase(questId)
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
{
}

void MgMatchElements::loadResources()
{
    MiniGameBase::loadResources();
    registerMatchElementsResources(getResources());
}

void MgMatchElements::build()
{
    MiniGameBase::build();
    const int count = requiredCount(key("NumberOfPieces"), MaxPieces);
    std::vector<Point> homes;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        const Point home(requiredInt(key("Piece" + n + "X"), 0), requiredInt(key("Piece" + n + "Y"), 0));
        const std::string name = ImageFolder + std::to_string(i + 1);
        GLTexture* picture = addImage(name + "N" + imageExtension);
        GLTexture* glowPicture = addImage(name + "G" + imageExtension);
        auto* piece = new CustomImageWidget(picture, 0, 0, home.x, home.y, nullptr);
        piece->setEnabled(false);
        pieces.push_back(piece);
        auto* glow = new CustomImageWidget(picture, home.x, home.y, home.x, home.y, glowPicture);
        glow->setEnabled(false);
        glow->setTint(Color(0, 0, 0, 0));
        addWidget(glow);
        glows.push_back(glow);
        homes.push_back(home);
    }
    auto* chain = new ImageWidget(getResources()->findTexture("MG_MATCHELEMENTS_CHAIN"), requiredInt(key("ChainX"), 0),
                                  requiredInt(key("ChainY"), 0));
    chain->setEnabled(false);
    addWidget(chain);
    const int spanX = std::max(1, screenWidth() - ScatterMargin);
    const int spanY = std::max(1, screenHeight() - ScatterMargin);
    for (CustomImageWidget* piece : pieces) {
        addWidget(piece);
        const int y = randomBelow(spanY);
        piece->setPosition(randomBelow(spanX), y);
    }
    board = MatchElementsBoard(std::move(homes), requiredInt(key("PlacementSensitivity"), 0));
}

void MgMatchElements::drawBackground(Graphics& g)
{
    if (GLTexture* background = getResources()->findTexture("MG_MATCHELEMENTS_BG"))
        g.drawImage(0, 0, background, Color::white());
}

void MgMatchElements::showTutorial()
{
    openTutorial(label("TUTORIAL_QUEST7_1"));
}

void MgMatchElements::onMousePressed(MouseEvent* event)
{
    selected = board.pick([&](int i) { return pieces[static_cast<size_t>(i)]->hitTest(event->x, event->y); });
    if (selected < 0)
        return;
    CustomImageWidget* piece = pieces[static_cast<size_t>(selected)];
    if (WidgetManager* manager = piece->getManager())
        manager->raiseWidget(piece);
    playUiSound("MG_PRESS");
    grabX = piece->getGeometry().x - event->x;
    grabY = piece->getGeometry().y - event->y;
}

void MgMatchElements::onMouseMoved(MouseEvent* event)
{
    if (selected < 0)
        return;
    CustomImageWidget* piece = pieces[static_cast<size_t>(selected)];
    const WidgetGeometry& g = piece->getGeometry();
    piece->setPosition(MatchElementsBoard::keepOnScreen(event->x + grabX, g.w, screenWidth()),
                       MatchElementsBoard::keepOnScreen(event->y + grabY, g.h, screenHeight()));
}

void MgMatchElements::onMouseReleased(MouseEvent*)
{
    if (selected < 0)
        return;
    playUiSound("MG_RELEASE");
    const int i = selected;
    selected = -1;
    CustomImageWidget* piece = pieces[static_cast<size_t>(i)];
    if (!board.drop(i, piece->getGeometry().x, piece->getGeometry().y))
        return;
    // From now on the glow widget shows the piece at its home.
    piece->setPlaced(true);
    piece->setTint(Color(0, 0, 0, 0));
    CustomImageWidget* glow = glows[static_cast<size_t>(i)];
    glow->setPlaced(true);
    glow->setTint(Color::white());
    glow->startPulse();
    if (board.allPlaced())
        onSolved();
}

void MgMatchElements::onSolved()
{
    markSolved();
    auto delay = std::make_unique<ActionDelay>(Duration(SolvedGlowMs));
    delay->start(this, SolvedGlowAction);
    addAction(std::move(delay));
    for (CustomImageWidget* glow : glows)
        glow->startFade();
}

void MgMatchElements::onActionFinished(int32_t id)
{
    switch (id) {
    case SolvedGlowAction:
        scheduleFinish();
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

std::string MgMatchElements::puzzleState() const
{
    std::string placed;
    for (int i = 0; i < board.size(); ++i)
        placed += board.isPlaced(i) ? '1' : '0';
    return "placed=" + placed + " selected=" + std::to_string(selected) + (board.allPlaced() ? " solved" : "");
}
