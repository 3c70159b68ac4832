#include "minigames/MgRearrangeElements.h"

#include "engine/core/StringUtils.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/ImageWidget.h"
#include "game/ContentTables.h"
#include "minigames/TileSwapEffect.h"
#include "minigames/TileWidget.h"

namespace {
const char* const ImageFolder = "content/images/minigames/RearangeElements/";
const Color PlaceholderText(192, 192, 192, 255);
// Built once: the caption is drawn every frame.
const std::string PlaceholderCaption = "MiniGame placeholder...";
constexpr int PlaceholderTextX = 100;
constexpr int PlaceholderTextY = 100;
} // namespace

MgRearrangeElements::MgRearrangeElements(int questId)
    : MiniGameBase(questId)
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
    , keyPrefix("MgRearangeElements." + questKey + ".")
{
}

MgRearrangeElements::~MgRearrangeElements() = default;

void MgRearrangeElements::build()
{
    buildFrameAndBackground();
    buildBoard();
}

void MgRearrangeElements::buildFrameAndBackground()
{
    MiniGameBase::build();
    if (requiredBool(key("HasBackground"), false))
        addWidget(new ImageWidget(loadQuestImage("bg"), 0, 0));
}

void MgRearrangeElements::buildBoard()
{
    readSlots();
    buildElements();
    shuffleTiles();
}

void MgRearrangeElements::readSlots()
{
    slotPositions.clear();
    const int n = requiredCount(key("NumberOfElements"), MaxElements);
    for (int i = 0; i < n; ++i) {
        const std::string slot = "Slot" + std::to_string(i) + "Pos";
        slotPositions.emplace_back(requiredInt(key(slot + "X"), 0), requiredInt(key(slot + "Y"), 0));
    }
}

GLTexture* MgRearrangeElements::loadQuestImage(const std::string& name)
{
    return addImage(ImageFolder + questKey + "/" + name + imageExtension);
}

void MgRearrangeElements::addTile(TileWidget* tileWidget)
{
    if (!tileWidget || tiles.count(tileWidget->getId()))
        return;
    addWidget(tileWidget);
    tiles[tileWidget->getId()] = tileWidget;
    board.addTile(tileWidget->getId());
    placeTile(tileWidget, board.slotOf(tileWidget->getId()));
}

TileWidget* MgRearrangeElements::tile(int id) const
{
    const auto it = tiles.find(id);
    return it != tiles.end() ? it->second : nullptr;
}

void MgRearrangeElements::placeTile(TileWidget* tileWidget, int slot)
{
    // A tile beyond the slots read (fewer slot keys than tiles) stays put.
    if (!tileWidget || slot < 0 || slot >= static_cast<int>(slotPositions.size()))
        return;
    const Point& p = slotPositions[static_cast<size_t>(slot)];
    tileWidget->setPosition(p.x, p.y);
}

void MgRearrangeElements::placeAllTiles()
{
    for (int slot = 0; slot < board.size(); ++slot)
        placeTile(tile(board.tileAt(slot)), slot);
}

void MgRearrangeElements::shuffleTiles()
{
    board.shuffle(randomBelow, [this](const TileBoard&) { return isSolved(); });
    placeAllTiles();
}

void MgRearrangeElements::startSwap(int slotA, int slotB)
{
    TileWidget* a = tile(board.tileAt(slotA));
    TileWidget* b = tile(board.tileAt(slotB));
    if (swapEffect && a && b)
        swapEffect->start(a, b, this);
}

void MgRearrangeElements::buildElements() {}

bool MgRearrangeElements::isSolved() const
{
    return false;
}

void MgRearrangeElements::deselectTile(int) {}
void MgRearrangeElements::selectTile(int) {}

void MgRearrangeElements::hoverTile(int id, int state)
{
    if (board.isSwapBusy() || board.slotOf(id) == board.getSelectedSlot())
        return;
    TileWidget* t = tile(id);
    if (!t)
        return;
    if (state == TileWidget::Entered)
        t->setState(TileWidget::Over);
    else if (state == TileWidget::Left)
        t->setState(TileWidget::Normal);
}

void MgRearrangeElements::onButton(int id, int state)
{
    MiniGameBase::onButton(id, state);
    if (board.isSwapBusy() || state != TileWidget::Pressed || id >= SkipButtonId)
        return;
    const TileBoard::Press press = board.press(id);
    switch (press.kind) {
    case TileBoard::Press::Selected:
        selectTile(press.slot);
        break;
    case TileBoard::Press::Deselected:
        deselectTile(press.slot);
        break;
    case TileBoard::Press::Swap:
        deselectTile(press.slot);
        startSwap(press.slot, press.otherSlot);
        break;
    case TileBoard::Press::Ignored:
        break;
    }
}

void MgRearrangeElements::onSwapStarted(int, int)
{
    board.setSwapBusy(true);
}

void MgRearrangeElements::onSwapCommit(int idA, int idB)
{
    board.commitSwap(idA, idB);
    placeTile(tile(idA), board.slotOf(idA));
    placeTile(tile(idB), board.slotOf(idB));
}

void MgRearrangeElements::onSwapFinished(int, int)
{
    if (isSolved())
        onSolved();
    board.setSwapBusy(false);
}

void MgRearrangeElements::onUpdate(int dt)
{
    MiniGameBase::onUpdate(dt);
    if (swapEffect)
        swapEffect->update(dt);
}

void MgRearrangeElements::drawBackground(Graphics& g)
{
    if (GLTexture* placeholder = getResources()->findTexture("MG_BASE_BG_PH"))
        g.drawImage(0, 0, placeholder, Color::white());
    if (FONT_PH_BIG)
        FONT_PH_BIG->drawRun(g, PlaceholderTextX, PlaceholderTextY, PlaceholderCaption, PlaceholderText);
}

std::string MgRearrangeElements::puzzleState() const
{
    std::string out = "tiles=" + board.describe();
    out += " selected=" + std::to_string(board.getSelectedSlot());
    out += board.isSwapBusy() ? " busy" : "";
    return out;
}
