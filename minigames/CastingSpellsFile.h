#pragma once
// The casting-spells game's description file,
// "content/config/minigames/CastingSpells/game.xml", read into plain records:
//
//   <Game>
//     <DrawSurface x= y= w= h= />
//     <Spell>
//       <Curve> <Point x= y= /> ... </Curve>
//       <Frame image= x= y= />      the spell picture and its corner
//       <FrameGlow image= />        the lit spell picture
//       <Glow image= x= y= />       the mark picture and its screen corner
//     </Spell> ...
//   </Game>
//
// Missing numbers read as 0. A Spell lacking one of its four parts is left
// out (with a warning) and the others keep their order. Without the file,
// a "Game" root or a "DrawSurface", nothing is read: no surface, no spell.
#include "engine/core/Types.h"

#include <string>
#include <vector>

struct CastingSpellDesc {
    std::vector<Point> curve;
    std::string frameImage;
    Point frame;
    std::string frameGlowImage;
    std::string glowImage;
    Point glow;
};

struct CastingSpellsDesc {
    // False when the file gave no drawing surface (and so no spells).
    bool hasSurface = false;
    WidgetGeometry surface;
    std::vector<CastingSpellDesc> spells;
};

class CastingSpellsFile {
public:
    static const char* const DefaultPath;

    // Reads the file; a file that cannot be read or parsed gives an empty
    // description and one error line.
    static CastingSpellsDesc load(const std::string& path);
};
