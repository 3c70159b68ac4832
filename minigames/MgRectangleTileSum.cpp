#include "minigames/MgRectangleTileSum.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/LoopAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/Log.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/UiServices.h"
#include "engine/ui/WidgetManager.h"
#include "minigames/DissapearSwapEffect.h"
#include "minigames/TileWidget.h"

#include <algorithm>

namespace {

// Action ids of this game.
enum TileSumAction : int { FinalGlowAction = 0 };

constexpr int PulseMs = 3000;
constexpr int FinalRiseMs = 1500;
constexpr int FinalHoldMs = 500;

struct Decoration {
    const char* name;
    int x;
    int y;
};
const Decoration Holes = {"GlowHoles", 47, 33};
const Decoration Crosses = {"CrossesGlow", 150, 88};
const Decoration RowGlows[TileSumRules::RowCount] = {{"16Glow", 870, 97}, {"17Glow", 868, 339}};
const Decoration RectangleGlows[TileSumRules::RectangleCount] = {
    {"9Glow", 96, 478}, {"11Glow", 371, 495}, {"13Glow", 650, 498}};

Color withAlpha(int alpha)
{
    return Color(255, 255, 255, static_cast<uint8_t>(alpha & 0xff));
}

} // namespace

MgRectangleTileSum::MgRectangleTileSum(int questId)
    : MgRearrangeElements(questId)
{
    swapEffect = std::make_unique<DissapearSwapEffect>();
    auto pulse = std::make_unique<ActionSequence>();
    pulse->add(std::make_unique<Setter<int>>(&crossesPulse, 0));
    pulse->add(std::make_unique<RelIncrementator<int>>(Duration(PulseMs), &crossesPulse, 255));
    pulse->add(std::make_unique<RelIncrementator<int>>(Duration(PulseMs), &crossesPulse, -255));
    auto loop = std::make_unique<LoopAction>(std::move(pulse), LoopAction::Forever);
    loop->start(nullptr, 0);
    addAction(std::move(loop));
}

MgRectangleTileSum::~MgRectangleTileSum() = default;

ImageWidget* MgRectangleTileSum::addDecoration(const std::string& name, int x, int y, bool visible)
{
    auto* widget = new ImageWidget(loadQuestImage(name), x, y);
    widget->setEnabled(false);
    widget->setTint(withAlpha(visible ? 255 : 0));
    addWidget(widget);
    return widget;
}

void MgRectangleTileSum::build()
{
    buildFrameAndBackground();
    buildBoard();
    // The holes' glow lies under the tiles: it is added now, and the tiles
    // are raised above it.
    finalWidget = addDecoration(Holes.name, Holes.x, Holes.y, false);
    WidgetManager* widgets = getWidgetManager();
    for (int id : board.tiles())
        widgets->raiseWidget(tile(id));
    crossesWidget = addDecoration(Crosses.name, Crosses.x, Crosses.y, false);
    for (const Decoration& d : RowGlows)
        rowGlows.push_back(addDecoration(d.name, d.x, d.y, false));
    for (const Decoration& d : RectangleGlows)
        rectangleGlows.push_back(addDecoration(d.name, d.x, d.y, false));
    raiseFrameButtons();
    isSolved();
}

void MgRectangleTileSum::buildElements()
{
    const int n = static_cast<int>(slotPositions.size());
    if (n != TileSumRules::SlotCount)
        logWarning("rectangle tile sum: quest " + std::to_string(questId) + " has " + std::to_string(n) +
                   " elements; the sums count the tiles of slots 0 to 11 only");
    for (int i = 0; i < n; ++i) {
        const std::string name = requiredString(key("Element" + std::to_string(i) + "Img"), std::string());
        auto* tileWidget = new TileWidget(this, i, loadQuestImage(name));
        tileWidget->setStateImage(TileWidget::Normal, tileWidget->getTexture());
        tileWidget->setStateImage(TileWidget::Over, loadQuestImage(name + "MO"));
        tileWidget->setStateImage(TileWidget::Active, loadQuestImage(name + "FIN"));
        addTile(tileWidget);
    }
}

bool MgRectangleTileSum::isSolved() const
{
    const TileSumRules::Sums s = sums();
    if (rowGlows.size() == TileSumRules::RowCount && rectangleGlows.size() == TileSumRules::RectangleCount) {
        for (size_t i = 0; i < rowGlows.size(); ++i)
            rowGlows[i]->setTint(withAlpha(s.rowMet[i] ? 255 : 0));
        for (size_t i = 0; i < rectangleGlows.size(); ++i)
            rectangleGlows[i]->setTint(withAlpha(s.rectangleMet[i] ? 255 : 0));
    }
    return s.solved;
}

void MgRectangleTileSum::onButton(int id, int state)
{
    MgRearrangeElements::onButton(id, state);
    if (id < SkipButtonId && board.contains(id))
        hoverTile(id, state);
}

void MgRectangleTileSum::selectTile(int slot)
{
    if (TileWidget* t = tile(board.tileAt(slot)))
        t->setState(TileWidget::Over);
    playUiSound("MG_RECTANGLETILESUM_SELECT");
}

void MgRectangleTileSum::deselectTile(int slot)
{
    if (TileWidget* t = tile(board.tileAt(slot)))
        t->setState(TileWidget::Normal);
    playUiSound("MG_RECTANGLETILESUM_DESELECT");
}

void MgRectangleTileSum::onSwapStarted(int idA, int idB)
{
    MgRearrangeElements::onSwapStarted(idA, idB);
    for (int id : board.tiles())
        tile(id)->setState(TileWidget::Normal);
}

void MgRectangleTileSum::onSolved()
{
    markSolved();
    finalAlpha = 0;
    auto glow = std::make_unique<ActionSequence>();
    glow->add(std::make_unique<RelIncrementator<int>>(Duration(FinalRiseMs), &finalAlpha, 255));
    glow->add(std::make_unique<ActionDelay>(Duration(FinalHoldMs)));
    glow->start(this, FinalGlowAction);
    addAction(std::move(glow));
    for (int id : board.tiles()) {
        TileWidget* t = tile(id);
        t->fadeInOverlay(FinalRiseMs);
        t->setEnabled(false);
    }
}

void MgRectangleTileSum::onActionFinished(int32_t id)
{
    switch (id) {
    case FinalGlowAction:
        scheduleFinish();
        break;
    default:
        MgRearrangeElements::onActionFinished(id);
        break;
    }
}

void MgRectangleTileSum::onUpdate(int dt)
{
    if (crossesWidget)
        crossesWidget->setTint(withAlpha(crossesPulse));
    if (finalWidget)
        finalWidget->setTint(withAlpha(finalAlpha));
    MgRearrangeElements::onUpdate(dt);
}

std::string MgRectangleTileSum::puzzleState() const
{
    const TileSumRules::Sums s = sums();
    std::string lit;
    for (const ImageWidget* glow : rowGlows)
        lit += glow->getTint().a ? '1' : '0';
    for (const ImageWidget* glow : rectangleGlows)
        lit += glow->getTint().a ? '1' : '0';
    return MgRearrangeElements::puzzleState() + " sums=" + s.describe() + " lit=" + lit + (s.solved ? " solved" : "");
}
