#include "minigames/MgCollectArmour.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/ButtonSupport.h"
#include "game/ContentTables.h"
#include "minigames/ArmourPart.h"
#include "minigames/ArmourSlot.h"
#include "minigames/CollectArmourFile.h"
#include "minigames/ContentBounds.h"

#include <algorithm>

namespace {

const char* const ImageFolder = "content/images/minigames/CollectArmour/";

// Looked up by literal every frame (no string is built).
const char* const FrameIds[4] = {"MG_COLLECTARMOUR_FRAME1", "MG_COLLECTARMOUR_FRAME2", "MG_COLLECTARMOUR_FRAME3",
                                 "MG_COLLECTARMOUR_FRAME4"};
} // namespace

const Point MgCollectArmour::FrameCorners[4] = {Point(209, 556), Point(364, 556), Point(513, 556), Point(660, 556)};

MgCollectArmour::MgCollectArmour(int questId)
    : MiniGameBase(questId)
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
{
}

MgCollectArmour::~MgCollectArmour() = default;

void MgCollectArmour::loadResources()
{
    MiniGameBase::loadResources();
    registerCollectArmourResources(getResources());
}

GLTexture* MgCollectArmour::loadImage(const std::string& name)
{
    return addImage(ImageFolder + name + imageExtension);
}

void MgCollectArmour::build()
{
    MiniGameBase::build();
    for (const ArmourSlotDesc& desc : CollectArmourFile::load(CollectArmourFile::DefaultPath)) {
        ArmourSlot::PieceImages layers{};
        for (size_t i = 0; i < layers.size(); ++i)
            layers[i] = loadImage(desc.texture + std::to_string(i + 1));
        const std::string name = "ArmourSlot " + desc.texture + " ";
        const Point start = onScreen(Point(desc.startX, desc.startY), ArmourSlot::Size, ArmourSlot::Size,
                                     name + "startX", name + "startY");
        const Point end = onScreen(Point(desc.endX, desc.endY), 1, 1, name + "endX", name + "endY");
        auto* slot = new ArmourSlot(start, end, loadImage(desc.texture), layers, this);
        // The parts go in first, so they lie beneath their slot.
        int index = 0;
        for (const ArmourPartDesc& part : desc.parts) {
            GLTexture* picture = loadImage(part.texture);
            const std::string partName = "ArmourPart " + std::to_string(index) + " of " + desc.texture + " ";
            const Point at = onScreen(Point(part.x, part.y), pictureWidth(picture), pictureHeight(picture),
                                      partName + "x", partName + "y");
            addWidget(new ArmourPart(picture, at, slot, index++));
        }
        addWidget(slot);
        armourSlots.push_back(slot);
    }
}

Point MgCollectArmour::onScreen(Point corner, int w, int h, const std::string& keyX, const std::string& keyY)
{
    const std::string file = CollectArmourFile::DefaultPath;
    return Point(ContentBounds::clamped(corner.x, 0, std::max(0, screenWidth() - w), file, keyX),
                 ContentBounds::clamped(corner.y, 0, std::max(0, screenHeight() - h), file, keyY));
}

bool MgCollectArmour::allSlotsPlaced() const
{
    return std::all_of(armourSlots.begin(), armourSlots.end(),
                       [](const ArmourSlot* slot) { return slot->getState().isPlaced(); });
}

void MgCollectArmour::onSlotPlaced()
{
    if (allSlotsPlaced())
        onSolved();
}

void MgCollectArmour::drawBackground(Graphics& g)
{
    ResourceManager* res = getResources();
    if (GLTexture* bg = res->findTexture("MG_COLLECTARMOUR_BG"))
        g.drawImage(0, 0, bg, Color::white());
    for (int i = 0; i < 4; ++i)
        if (GLTexture* frame = res->findTexture(FrameIds[i]))
            g.drawImage(FrameCorners[i].x, FrameCorners[i].y, frame, Color::white());
}

std::string MgCollectArmour::puzzleState() const
{
    std::string out = "slots=";
    for (size_t i = 0; i < armourSlots.size(); ++i)
        out += (i ? "," : "") + armourSlots[i]->getState().describe();
    return out + " placed=" + (allSlotsPlaced() && !armourSlots.empty() ? "1" : "0");
}
