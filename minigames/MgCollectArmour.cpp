#include "minigames/MgCollectArmour.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "game/ContentTables.h"
#include "minigames/ArmourPart.h"
#include "minigames/ArmourSlot.h"
#include "minigames/CollectArmourFile.h"

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
        auto* slot = new ArmourSlot(Point(desc.startX, desc.startY), Point(desc.endX, desc.endY),
                                    loadImage(desc.texture), layers, this);
        // The parts go in first, so they lie beneath their slot.
        int index = 0;
        for (const ArmourPartDesc& part : desc.parts)
            addWidget(new ArmourPart(loadImage(part.texture), Point(part.x, part.y), slot, index++));
        addWidget(slot);
        armourSlots.push_back(slot);
    }
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
