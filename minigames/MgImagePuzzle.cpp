#include "minigames/MgImagePuzzle.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/DraggableImageWidget.h"
#include "engine/ui/UiServices.h"
#include "engine/ui/WidgetManager.h"
#include "game/ContentTables.h"

#include <algorithm>

namespace {

enum ImagePuzzleAction : int { FlashAction = 668 };

// A release after a drag, as DraggableImageWidget reports it.
constexpr int DroppedState = 4;
constexpr int FlashPeak = 173;
constexpr int FlashHalfMs = 600;
constexpr int TemplateAlpha = 100;
const char* const KeyPrefix = "MgImagePuzzle.";
const char* const PieceFolder = "content/images/minigames/02_imgpuzz/";

int setting(const char* name)
{
    return getParamInt(std::string(KeyPrefix) + name, 0);
}

} // namespace

const Color MgImagePuzzle::Snapped(200, 200, 200, 255);

MgImagePuzzle::MgImagePuzzle(int questId)
    : MiniGameBase(questId)
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
{
}

MgImagePuzzle::~MgImagePuzzle() = default;

void MgImagePuzzle::loadResources()
{
    MiniGameBase::loadResources();
    registerImagePuzzleResources(getResources());
}

void MgImagePuzzle::build()
{
    MiniGameBase::build();
    createPieces();
}

void MgImagePuzzle::createPieces()
{
    for (const char* name : {"HorizontalCount", "VerticalCount", "OriginX", "OriginY", "HorizontalDistance",
                             "VerticalDistance"})
        requiredInt(std::string(KeyPrefix) + name, 0);
    board = ImagePuzzleBoard(requiredCount(std::string(KeyPrefix) + "HorizontalCount", MaxSide),
                             requiredCount(std::string(KeyPrefix) + "VerticalCount", MaxSide),
                             Point(setting("OriginX"), setting("OriginY")),
                             Point(setting("HorizontalDistance"), setting("VerticalDistance")));
    for (int i = 0; i < board.count(); ++i) {
        const std::string name = std::to_string(i / board.getColumns()) + "x" + std::to_string(i % board.getColumns());
        GLTexture* image = registerImage(PieceFolder + name + imageExtension);
        const Point at = ImagePuzzleBoard::scatter(randomBelow);
        auto* widget = new DraggableImageWidget(image, this, ImagePuzzleBoard::FirstPieceId + i, at.x, at.y);
        pieces.push_back(widget);
        addWidget(widget);
    }
}

void MgImagePuzzle::resetPuzzle()
{
    for (DraggableImageWidget* widget : pieces)
        safeRemoveWidget(widget);
    pieces.clear();
    createPieces();
}

DraggableImageWidget* MgImagePuzzle::piece(int index) const
{
    return index >= 0 && index < static_cast<int>(pieces.size()) ? pieces[static_cast<size_t>(index)] : nullptr;
}

void MgImagePuzzle::onMouse(MouseEvent event)
{
    switch (event.type) {
    case MouseEvent::Press:
        ScreenBase::onMouse(event);
        break;
    case MouseEvent::Release:
        // The click that picked a piece up ends here: the piece stays held.
        if (!board.isCarrying())
            ScreenBase::onMouse(event);
        break;
    case MouseEvent::Move:
        lastMouseX = event.x;
        lastMouseY = event.y;
        event.handled = 0;
        if (board.isCarrying())
            event.buttons |= MouseEvent::Left;
        ScreenBase::onMouse(event);
        break;
    default:
        break;
    }
}

void MgImagePuzzle::onButton(int id, int state)
{
    MiniGameBase::onButton(id, state);
    const int index = board.indexOf(id);
    if (index < 0)
        return;
    if (state == DroppedState) {
        DraggableImageWidget* widget = piece(index);
        const WidgetGeometry& g = widget->getGeometry();
        if (board.drop(index, Point(g.x, g.y))) {
            widget->setEnabled(false);
            widget->setTint(Snapped);
            const Point home = board.home(index);
            widget->setGeometry(WidgetGeometry(home.x, home.y, 0, 0, 0));
            if (board.isSolved()) {
                markSolved();
                auto flash = std::make_unique<ActionSequence>();
                flash->add(std::make_unique<RelIncrementator<int>>(Duration(FlashHalfMs), &flashAlpha, FlashPeak));
                flash->add(std::make_unique<RelIncrementator<int>>(Duration(FlashHalfMs), &flashAlpha, -FlashPeak));
                flash->start(this, FlashAction);
                addAction(std::move(flash));
            }
        }
        reorderPending = true;
    } else if (state == 0) {
        const ImagePuzzleBoard::Press press = board.press(id);
        playUiSound(press == ImagePuzzleBoard::PickedUp ? "MG_PRESS" : "MG_RELEASE");
    }
}

void MgImagePuzzle::onActionFinished(int32_t id)
{
    switch (id) {
    case FlashAction:
        onSolved();
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

void MgImagePuzzle::onUpdate(int dt)
{
    MiniGameBase::onUpdate(dt);
    if (reorderPending) {
        raiseLoosePieces();
        reorderPending = false;
    }
}

void MgImagePuzzle::raiseLoosePieces()
{
    WidgetManager* manager = getWidgetManager();
    std::vector<std::pair<int, int>> loose;
    for (size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i]->isEnabled())
            loose.emplace_back(static_cast<int>(i), pieces[i]->getGeometry().z);
    for (int index : ImagePuzzleBoard::raiseOrder(loose))
        manager->raiseWidget(pieces[static_cast<size_t>(index)]);
}

bool MgImagePuzzle::looseAboveSnapped() const
{
    int lowestLoose = -1;
    int highestSnapped = -1;
    for (const DraggableImageWidget* widget : pieces) {
        const int z = widget->getGeometry().z;
        if (widget->isEnabled())
            lowestLoose = lowestLoose < 0 ? z : std::min(lowestLoose, z);
        else
            highestSnapped = std::max(highestSnapped, z);
    }
    return lowestLoose < 0 || lowestLoose > highestSnapped;
}

void MgImagePuzzle::drawBackground(Graphics& g)
{
    ResourceManager* res = getResources();
    if (GLTexture* bg = res->findTexture("MG_IMAGEPUZZLE_BG"))
        g.drawImage(0, 0, bg, Color::white());
    if (GLTexture* picture = res->findTexture("MG_IMAGEPUZZLE_TEMPLATE"))
        g.drawImage(0, 0, picture, Color(255, 255, 255, TemplateAlpha));
}

void MgImagePuzzle::drawOverlay(Graphics& g)
{
    if (GLTexture* picture = getResources()->findTexture("MG_IMAGEPUZZLE_TEMPLATE"))
        g.drawImage(0, 0, picture, Color(255, 255, 255, static_cast<uint8_t>(std::clamp(flashAlpha, 0, 255))));
}

std::string MgImagePuzzle::puzzleState() const
{
    return board.describe() + (looseAboveSnapped() ? " zorder=ok" : " zorder=bad");
}
