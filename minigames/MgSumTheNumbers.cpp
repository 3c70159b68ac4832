#include "minigames/MgSumTheNumbers.h"

#include "engine/anim/Tweens.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/UiServices.h"
#include "game/ContentTables.h"
#include "minigames/NumberObject.h"

#include <algorithm>

namespace {

enum SumTheNumbersAction : int { GlowAction = 0 };

constexpr int GlowMs = 1000;
// The pictures of the tiles, in id order.
const char* const TileImages[SumTheNumbersBoard::TileCount] = {"MG_SUMNUMBERS_1", "MG_SUMNUMBERS_4", "MG_SUMNUMBERS_7",
                                                               "MG_SUMNUMBERS_8", "MG_SUMNUMBERS_9"};

} // namespace

const Color MgSumTheNumbers::Selected(255, 255, 255, 150);

MgSumTheNumbers::MgSumTheNumbers(int questId)
    : MiniGameBase(questId)
{
}

MgSumTheNumbers::~MgSumTheNumbers() = default;

void MgSumTheNumbers::loadResources()
{
    MiniGameBase::loadResources();
    registerSumNumbersResources(getResources());
}

void MgSumTheNumbers::build()
{
    MiniGameBase::build();
    board.shuffle(randomBelow);
    for (int k = 0; k < SumTheNumbersBoard::TileCount; ++k) {
        auto* tile = new NumberObject(getResources()->findTexture(TileImages[k]), this, board.place(k),
                                      SumTheNumbersBoard::FirstTileId + k, this);
        tiles.push_back(tile);
        addWidget(tile);
    }
}

NumberObject* MgSumTheNumbers::tile(int k) const
{
    return k >= 0 && k < static_cast<int>(tiles.size()) ? tiles[static_cast<size_t>(k)] : nullptr;
}

void MgSumTheNumbers::onButtonEvent(int id, int event)
{
    if (event != 1 || SumTheNumbersBoard::tileIndex(id) < 0)
        return;
    playUiSound("MG_PRESS");
    const SumTheNumbersBoard::Click click = board.click(id);
    switch (click.kind) {
    case SumTheNumbersBoard::Click::Selected:
        tile(click.first)->setTint(Selected);
        break;
    case SumTheNumbersBoard::Click::Swap:
        // The selected tile first: when it is the same tile, the second
        // movement replaces the first and it shrinks and grows in place.
        tile(click.first)->moveTo(board.place(click.first));
        tile(click.second)->moveTo(board.place(click.second));
        playUiSound("MG_SUMTHENUMBER_SWAP");
        break;
    case SumTheNumbersBoard::Click::Ignored:
        break;
    }
}

void MgSumTheNumbers::onTileArrived(int tileId)
{
    if (!board.arrive(SumTheNumbersBoard::tileIndex(tileId)))
        return;
    markSolved();
    auto glow = std::make_unique<RelIncrementator<int>>(Duration(GlowMs), &glowAlpha, 255);
    glow->start(this, GlowAction);
    addAction(std::move(glow));
}

void MgSumTheNumbers::onActionFinished(int32_t id)
{
    switch (id) {
    case GlowAction:
        onSolved();
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

void MgSumTheNumbers::drawBackground(Graphics& g)
{
    ResourceManager* res = getResources();
    if (GLTexture* bg = res->findTexture("MG_SUMNUMBERS_BG"))
        g.drawImage(0, 0, bg, Color::white());
    if (GLTexture* glow = res->findTexture("MG_SUMNUMBERS_BG_GLOW"))
        g.drawImage(0, 0, glow, Color(255, 255, 255, static_cast<uint8_t>(std::clamp(glowAlpha, 0, 255))));
}

std::string MgSumTheNumbers::puzzleState() const
{
    return board.describe() + " glowAlpha=" + std::to_string(glowAlpha);
}
