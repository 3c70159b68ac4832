#include "minigames/MgLabyrinth.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/gfx/Image.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/ClickableImageWidget.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/UiServices.h"
#include "minigames/ContentBounds.h"

#include <algorithm>

namespace {

// Action ids of this game.
enum LabyrinthAction : int { FinalFadeAction = 0 };

const char* const ImageFolder = "content/images/minigames/Labyrinth/";
constexpr int BallId = -1;

// The mask picture's alpha, row by row.
std::vector<uint8_t> alphaOf(const GLTexture* texture)
{
    std::vector<uint8_t> values;
    const Image* image = texture ? texture->getImage() : nullptr;
    if (!image)
        return values;
    const int w = std::min(texture->getWidth(), image->getWidth());
    const int h = std::min(texture->getHeight(), image->getHeight());
    values.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            values.push_back(image->getPixel(x, y).a);
    return values;
}

} // namespace

MgLabyrinth::MgLabyrinth(int questId)
    : MiniGameBase(questId)
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
    , perQuest("MgLabyrinth." + questKey + ".")
{
}

MgLabyrinth::~MgLabyrinth() = default;

void MgLabyrinth::build()
{
    MiniGameBase::build();
    const Point maskCorner(requiredInt(perQuest + "MaskX", 0), requiredInt(perQuest + "MaskY", 0));
    const Point start(requiredInt(perQuest + "StartX", 0), requiredInt(perQuest + "StartY", 0));
    goal = Point(requiredInt(perQuest + "GoalX", 0), requiredInt(perQuest + "GoalY", 0));
    // The disc is sampled for every pixel the ball walks: its radius is
    // bounded like a count.
    const int range = ContentBounds::count(getParamInt("MgLabyrinth.WallDetectionRange", 0), MaxWallRange,
                                           tuningFile(), "MgLabyrinth.WallDetectionRange");
    const int threshold = getParamInt("MgLabyrinth.WallDetectionTreshold", 0);
    goalTolerance = getParamInt("MgLabyrinth.GoalTolerance", 0);

    const std::string folder = ImageFolder + questKey + "/";
    GLTexture* maskTexture = addImage(folder + "Mask" + imageExtension);
    // Only the alpha is needed, and without a window: copied once.
    const int w = maskTexture->getImage() ? maskTexture->getWidth() : 0;
    const int h = maskTexture->getImage() ? maskTexture->getHeight() : 0;
    mask = LabyrinthMask(w, h, alphaOf(maskTexture), maskCorner, range, threshold);
    background = addImage(folder + "Bg" + imageExtension);
    finalBackground = addImage(folder + "BgFinal" + imageExtension);

    ball = new ClickableImageWidget(addImage(folder + "Ball" + imageExtension), 0, 0, this, BallId, true);
    // The screen moves the ball; it never takes the pointer itself.
    ball->setEnabled(false);
    placeBall(start);
    addWidget(ball);
}

Point MgLabyrinth::ballCentre() const
{
    if (!ball)
        return Point();
    const WidgetGeometry& g = ball->getGeometry();
    return Point(g.x + g.w / 2, g.y + g.h / 2);
}

void MgLabyrinth::placeBall(Point centre)
{
    const WidgetGeometry& g = ball->getGeometry();
    ball->setPosition(centre.x - g.w / 2, centre.y - g.h / 2);
}

void MgLabyrinth::onMousePressed(MouseEvent* event)
{
    if (!event || !ball || !ball->hitTest(event->x, event->y))
        return;
    dragging = true;
    const Point centre = ballCentre();
    grab = Point(centre.x - event->x, centre.y - event->y);
    playUiSound("MG_PRESS");
}

void MgLabyrinth::onMouseMoved(MouseEvent* event)
{
    if (!event || !dragging)
        return;
    Point centre = ballCentre();
    placeBall(mask.walkTowards(centre, Point(event->x + grab.x, centre.y)));
    centre = ballCentre();
    placeBall(mask.walkTowards(centre, Point(centre.x, event->y + grab.y)));
}

void MgLabyrinth::onMouseReleased(MouseEvent*)
{
    dragging = false;
    playUiSound("MG_RELEASE");
    if (finishing || !ball || !LabyrinthMask::reachesGoal(ballCentre(), goal, goalTolerance))
        return;
    finishing = true;
    markSolved();
    placeBall(goal);
    auto fade = std::make_unique<ActionSequence>();
    fade->add(std::make_unique<RelIncrementator<int>>(Duration(FinalFadeMs), &finalAlpha, 255));
    fade->start(this, FinalFadeAction);
    addAction(std::move(fade));
    playUiSound("MG_LABYRINTH_FINISHED");
}

void MgLabyrinth::onActionFinished(int32_t id)
{
    switch (id) {
    case FinalFadeAction:
        onSolved();
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

void MgLabyrinth::drawBackground(Graphics& g)
{
    if (background)
        g.drawImage(0, 0, background, Color::white());
    if (finalBackground)
        g.drawImage(0, 0, finalBackground, Color(255, 255, 255, static_cast<uint8_t>(finalAlpha & 0xff)));
}

std::string MgLabyrinth::puzzleState() const
{
    const Point c = ballCentre();
    return "ball=" + std::to_string(c.x) + "," + std::to_string(c.y) + " goal=" + std::to_string(goal.x) + "," +
           std::to_string(goal.y) + (dragging ? " held" : "") + (finishing ? " finished" : "");
}
