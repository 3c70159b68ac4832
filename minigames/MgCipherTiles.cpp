#include "minigames/MgCipherTiles.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/UiServices.h"
#include "minigames/SwingSwapEffect.h"
#include "minigames/TileWidget.h"

#include <algorithm>

namespace {

// Action ids of this game.
enum CipherAction : int { SolvedGlowAction = 1 };

constexpr int GlowRiseMs = 1000;
constexpr int GlowHoldMs = 500;
constexpr int OverlayFadeMs = 1000;

} // namespace

const Color MgCipherTiles::Dimmed(180, 180, 180, 255);
const Color MgCipherTiles::Lit(255, 255, 255, 255);

MgCipherTiles::MgCipherTiles(int questId)
    : MgRearrangeElements(questId)
    , hasGlow(getParamBool(key("HasGlow"), false))
    , solution(requiredString(key("Solution"), std::string()))
{
    swapEffect = std::make_unique<SwingSwapEffect>();
}

MgCipherTiles::~MgCipherTiles() = default;

void MgCipherTiles::build()
{
    buildFrameAndBackground();
    if (hasGlow) {
        glowWidget = new ImageWidget(loadQuestImage("bgGlow"), requiredInt(key("GlowX"), 0),
                                     requiredInt(key("GlowY"), 0), true);
        glowWidget->setEnabled(false);
        glowWidget->setTint(Color(255, 255, 255, 0));
        addWidget(glowWidget);
    }
    buildBoard();
    auto* overlay = new ImageWidget(loadQuestImage("overlay"), requiredInt(key("OverlayX"), 0),
                                    requiredInt(key("OverlayY"), 0), true);
    overlay->setEnabled(false);
    addWidget(overlay);
    // The frame's buttons stay above the tiles and the overlay.
    raiseFrameButtons();
    moveAllOutOfPlace();
}

void MgCipherTiles::buildElements()
{
    std::string symbols;
    const int n = static_cast<int>(slotPositions.size());
    std::vector<TileWidget*> made;
    for (int i = 0; i < n; ++i) {
        const std::string name = requiredString(key("Element" + std::to_string(i) + "Img"), std::string());
        symbols += name.empty() ? '\0' : name[0];
        auto* tile = new TileWidget(this, i, loadQuestImage(name));
        tile->setStateImage(TileWidget::Normal, tile->getTexture());
        tile->setStateImage(TileWidget::Over, loadQuestImage(name + "MO"));
        tile->setStateImage(TileWidget::Active, loadQuestImage(name + "Active"));
        tile->setTint(Dimmed);
        made.push_back(tile);
    }
    if (static_cast<int>(solution.size()) < n)
        logWarning("cipher tiles: " + key("Solution") + " has " + std::to_string(solution.size()) +
                   " symbols for " + std::to_string(n) + " slots; the slots beyond it are never right");
    rules = CipherRules(symbols, solution);
    for (TileWidget* tile : made)
        addTile(tile);
}

void MgCipherTiles::moveAllOutOfPlace()
{
    if (!rules.moveAllOutOfPlace(board, randomBelow))
        logWarning("cipher tiles: quest " + std::to_string(questId) +
                   ": the symbols allow no start with every tile out of place");
    placeAllTiles();
    // Whatever the start, a tile in place looks lit.
    for (int id : board.tiles())
        if (TileWidget* t = tile(id))
            t->setTint(isTileInPlace(id) ? Lit : Dimmed);
}

bool MgCipherTiles::isSolved() const
{
    return rules.isSolved(board);
}

void MgCipherTiles::onButton(int id, int state)
{
    const bool tileEvent = id < SkipButtonId && board.contains(id);
    if (tileEvent && isTileInPlace(id))
        return;
    if (tileEvent && state == TileWidget::Pressed)
        playUiSound("MG_CIPHERTILES_SELECT");
    MgRearrangeElements::onButton(id, state);
    if (tileEvent)
        hoverTile(id, state);
}

void MgCipherTiles::deselectTile(int slot)
{
    if (TileWidget* t = tile(board.tileAt(slot)))
        t->setState(TileWidget::Normal);
}

void MgCipherTiles::selectTile(int slot)
{
    if (TileWidget* t = tile(board.tileAt(slot)))
        t->setState(TileWidget::Active);
}

void MgCipherTiles::onSwapStarted(int idA, int idB)
{
    MgRearrangeElements::onSwapStarted(idA, idB);
    for (int id : board.tiles())
        tile(id)->setState(TileWidget::Normal);
}

void MgCipherTiles::onSwapFinished(int idA, int idB)
{
    MgRearrangeElements::onSwapFinished(idA, idB);
    for (int id : {idA, idB}) {
        if (isTileInPlace(id))
            tile(id)->setTint(Lit);
    }
}

void MgCipherTiles::onSolved()
{
    markSolved();
    auto glow = std::make_unique<ActionSequence>();
    glow->add(std::make_unique<Setter<bool>>(&glowFading, true));
    glow->add(std::make_unique<RelIncrementator<int>>(Duration(GlowRiseMs), &glowAlpha, 255));
    glow->add(std::make_unique<ActionDelay>(Duration(GlowHoldMs)));
    glow->start(this, SolvedGlowAction);
    addAction(std::move(glow));
    if (!hasGlow) {
        for (int id : board.tiles())
            tile(id)->fadeInOverlay(OverlayFadeMs);
    }
}

void MgCipherTiles::onActionFinished(int32_t id)
{
    switch (id) {
    case SolvedGlowAction:
        glowFading = false;
        scheduleFinish();
        break;
    default:
        MgRearrangeElements::onActionFinished(id);
        break;
    }
}

void MgCipherTiles::onUpdate(int dt)
{
    MgRearrangeElements::onUpdate(dt);
    if (glowFading && glowWidget)
        glowWidget->setTint(Color(255, 255, 255, static_cast<uint8_t>(std::clamp(glowAlpha, 0, 255))));
}

std::string MgCipherTiles::puzzleState() const
{
    std::string symbols;
    std::string placed;
    for (int id : board.tiles()) {
        const char c = rules.symbolOf(id);
        symbols += c ? c : '?';
        placed += isTileInPlace(id) ? '1' : '0';
    }
    return MgRearrangeElements::puzzleState() + " symbols=" + symbols + " inPlace=" + placed +
           (isSolved() ? " solved" : "");
}
