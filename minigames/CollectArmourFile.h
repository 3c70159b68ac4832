#pragma once
// The collect-armour game's description file,
// "content/config/minigames/Quest66.xml", read into plain records:
//
//   <CollectArmour>
//     <ArmourSlot texture= startX= startY= endX= endY= >
//       <ArmourPart x= y= texture= />   three of them
//     </ArmourSlot> ...
//   </CollectArmour>
//
// "texture" names a picture (the folder and extension are the game's);
// startX/startY is the slot's home corner, endX/endY the corner it is
// placed at; x/y the corner of a part on the picture. A missing number
// reads as -1. A slot has exactly PartsPerSlot parts: further ones are left
// out with a warning (they would have no piece picture in the slot), and a
// slot with fewer is kept with an error line (it can never be completed, so the
// game can then only be skipped). Without the file or a "CollectArmour"
// root nothing is read (one error line).
#include "minigames/ArmourSlotState.h"

#include <string>
#include <vector>

struct ArmourPartDesc {
    int x = -1;
    int y = -1;
    std::string texture;
};

struct ArmourSlotDesc {
    std::string texture;
    int startX = -1;
    int startY = -1;
    int endX = -1;
    int endY = -1;
    std::vector<ArmourPartDesc> parts;
};

class CollectArmourFile {
public:
    static const char* const DefaultPath;
    static constexpr int PartsPerSlot = ArmourSlotState::PartsPerSlot;

    // The slots in file order.
    static std::vector<ArmourSlotDesc> load(const std::string& path);
};
