#include "minigames/MgKlotsky.h"

#include "engine/anim/Tweens.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/UiServices.h"
#include "game/ContentTables.h"
#include "minigames/CustomKlotskyTile.h"

#include <algorithm>

namespace {

// Action ids of this game.
enum KlotskyAction : int { FinalGlowAction = 0 };

const char* const ImageFolder = "content/images/minigames/Klotsky/";
const char* const KeyPrefix = "MgKlotsky.";
constexpr int FinalGlowMs = 1500;

std::string key(const std::string& setting)
{
    return KeyPrefix + setting;
}

} // namespace

MgKlotsky::MgKlotsky(int questId)
    : MiniGameBase(questId)
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
{
}

MgKlotsky::~MgKlotsky() = default;

void MgKlotsky::loadResources()
{
    MiniGameBase::loadResources();
    registerKlotskyResources(getResources());
}

Point MgKlotsky::cellCorner(int row, int column) const
{
    return Point(column * (tileDistance + tileWidth) + boardOriginX, row * (tileDistance + tileHeight) + boardOriginY);
}

void MgKlotsky::build()
{
    MiniGameBase::build();
    boardOriginX = requiredInt(key("BoardOriginX"), boardOriginX);
    boardOriginY = requiredInt(key("BoardOriginY"), boardOriginY);
    tileWidth = requiredInt(key("TileWidth"), tileWidth);
    tileHeight = requiredInt(key("TileHeight"), tileHeight);
    tileDistance = requiredInt(key("TileDistance"), tileDistance);
    const std::string file = requiredString(key("GameXmlFile"), std::string());
    const KlotskyDesc desc = KlotskyFile::load(KlotskyFile::Folder + file);
    if (!desc.hasBoard)
        return;
    grid = KlotskyGrid(desc.rows, desc.columns);
    grid.applyPattern(desc.pattern);
    for (const KlotskyTileDesc& d : desc.tiles) {
        GLTexture* image = addImage(ImageFolder + d.image + imageExtension);
        bool clean = true;
        auto* tile = new CustomKlotskyTile(&grid, d.row, d.column, d.width, d.height, image, &clean);
        if (!clean)
            logWarning("klotsky: \"" + file + "\": tile " + std::to_string(tiles.size()) +
                       " covers a wall, another tile or cells off the board; placed as listed");
        const Point at = cellCorner(d.row, d.column);
        tile->setGeometry(WidgetGeometry(at.x, at.y, 0, image->getWidth(), image->getHeight()));
        tile->setEnabled(false);
        if (!d.glowImage.empty())
            tile->setKeyTexture(CustomKlotskyTile::GlowKey, addImage(ImageFolder + d.glowImage + imageExtension));
        addWidget(tile);
        tiles.push_back(tile);
    }
    conditions = desc.conditions;
}

void MgKlotsky::drawBackground(Graphics& g)
{
    ResourceManager* res = getResources();
    if (GLTexture* background = res->findTexture("MG_KLOTSKY_BG"))
        g.drawImage(0, 0, background, Color::white());
    if (GLTexture* glow = res->findTexture("MG_KLOTSKY_FINAL_GLOW"))
        g.drawImage(0, 0, glow, Color(255, 255, 255, static_cast<uint8_t>(finalGlowAlpha & 0xff)));
}

void MgKlotsky::onMousePressed(MouseEvent* event)
{
    if (!event)
        return;
    selected = nullptr;
    for (CustomKlotskyTile* tile : tiles) {
        if (tile->hitTest(event->x, event->y)) {
            selected = tile;
            playUiSound("MG_KLOTSKY_SELECT");
            break;
        }
    }
}

void MgKlotsky::onMouseReleased(MouseEvent*)
{
    selected = nullptr;
    testSolution();
}

Point MgKlotsky::dragStep(Point mouse, const WidgetGeometry& r, int margin)
{
    if (mouse.x < r.x - margin)
        return Point(-1, 0);
    if (mouse.x > r.x + r.w + margin)
        return Point(1, 0);
    if (mouse.y < r.y - margin)
        return Point(0, -1);
    if (mouse.y > r.y + r.h + margin)
        return Point(0, 1);
    return Point(0, 0);
}

void MgKlotsky::onUpdate(int dt)
{
    MiniGameBase::onUpdate(dt);
    AppContext* app = appContext();
    if (!selected || !app)
        return;
    const Point pointer = app->getMousePos();
    const Point step = dragStep(Point(pointer.x - getXOffset(), pointer.y), selected->getGeometry());
    if (step.x != 0 || step.y != 0)
        tryMove(selected, selected->getRow() + step.y, selected->getColumn() + step.x);
}

void MgKlotsky::tryMove(CustomKlotskyTile* tile, int row, int column)
{
    if (tile->isSliding() || !tile->canMoveTo(row, column))
        return;
    tile->occupy(row, column);
    const Point at = cellCorner(row, column);
    tile->slideTo(at.x, at.y);
    playUiSound("MG_KLOTSKY_MOVING");
}

std::vector<int> MgKlotsky::conditionResults(const std::vector<KlotskyCondition>& conditionList,
                                             const std::vector<Point>& places)
{
    std::vector<int> results;
    for (const KlotskyCondition& c : conditionList) {
        if (c.tileId < 0 || c.tileId >= static_cast<int>(places.size())) {
            results.push_back(-1);
            continue;
        }
        const Point& at = places[static_cast<size_t>(c.tileId)];
        results.push_back(at.x == c.column && at.y == c.row ? 1 : 0);
    }
    return results;
}

void MgKlotsky::testSolution()
{
    if (solved)
        return;
    std::vector<Point> places;
    for (const CustomKlotskyTile* tile : tiles)
        places.emplace_back(tile->getColumn(), tile->getRow());
    const std::vector<int> results = conditionResults(conditions, places);
    bool all = true;
    for (size_t i = 0; i < results.size(); ++i) {
        if (results[i] < 0)
            continue;
        tiles[static_cast<size_t>(conditions[i].tileId)]->setTexture(results[i] ? CustomKlotskyTile::GlowKey
                                                                                : CustomKlotskyTile::NormalKey);
        all = all && results[i] == 1;
    }
    if (all) {
        solved = true;
        onSolved();
    }
}

void MgKlotsky::onSolved()
{
    markSolved();
    auto glow = std::make_unique<RelIncrementator<int>>(Duration(FinalGlowMs), &finalGlowAlpha, 255);
    glow->start(this, FinalGlowAction);
    addAction(std::move(glow));
}

void MgKlotsky::onActionFinished(int32_t id)
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

std::string MgKlotsky::puzzleState() const
{
    std::string places;
    for (const CustomKlotskyTile* tile : tiles)
        places += (places.empty() ? "" : " ") + std::to_string(tile->getRow()) + "," + std::to_string(tile->getColumn());
    std::string out = "tiles=" + places + " grid=" + grid.describe();
    const auto it = std::find(tiles.begin(), tiles.end(), selected);
    out += " held=" + std::to_string(it == tiles.end() ? -1 : static_cast<int>(it - tiles.begin()));
    return out + (solved ? " solved" : "");
}
