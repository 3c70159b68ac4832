#pragma once
// A cypher wheel's description file (under "content/config/minigames/
// CypherWheel/"), read into plain records:
//
//   <Game background= glow= angleTolerance= rotationFactor= dialX= dialY=
//         dialImage=>
//     <SolutionComponent wheelOverlay= angle=>
//       <WheelSymbol image= x= y= />
//       <WordSymbol image= x= y= />
//     </SolutionComponent> ...
//   </Game>
//
// Pictures are named without folder or extension. Numbers are read the C
// library's way (leading digits; none gives 0). Defaults: tolerance 5,
// factor 1, the wheel's corner the one given to load(). A component without
// its "angle", "WheelSymbol" or "WordSymbol" is left out with a warning (the
// others keep their order). A file that cannot be read, or has no "Game"
// root, gives an empty description (loaded false) and one error line.
#include "engine/core/Types.h"

#include <string>
#include <vector>

struct CypherSymbolDesc {
    std::string image;
    Point position;
};

struct SolutionComponentDesc {
    std::string wheelOverlay;
    float angle = 0.f;
    CypherSymbolDesc wheelSymbol;
    CypherSymbolDesc wordSymbol;
};

struct CypherWheelDesc {
    bool loaded = false;
    std::string background;
    std::string glow;
    float angleTolerance = 5.f;
    float rotationFactor = 1.f;
    Point dial;
    // Empty: the file names no wheel.
    std::string dialImage;
    std::vector<SolutionComponentDesc> components;
};

class CypherWheelFile {
public:
    static const char* const Folder;

    // `defaultCorner` is the wheel's corner when the file gives none.
    static CypherWheelDesc load(const std::string& path, Point defaultCorner);
};
