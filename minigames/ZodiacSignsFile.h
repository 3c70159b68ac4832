#pragma once
// A zodiac-signs game's description file (its name is the tuning key
// "MgZodiacSigns.Quest<id>.GameXmlFile", in "content/config/minigames/
// ZodiacSigns/"), read into plain records:
//
//   <Game>
//     <Sign image= hasGlow="true">   the sign picture; "true" exactly:
//                                    it has a glow picture (image + "G")
//       <Init x= y= />               where it starts (top-left)
//       <Final x= y= />              its place in the sky
//       <Constellation image= x= y= />   lit when it is placed
//     </Sign> ...
//   </Game>
//
// Missing numbers read as 0. A Sign without "image" is skipped; one lacking
// Init, Final or Constellation is left out with a warning, and one whose
// Init or Final lies off the screen (ContentBounds::onScreen) with an error
// line; the others keep their order. Without the file or a "Game" root nothing is read.
#include "engine/core/Types.h"

#include <string>
#include <vector>

struct ZodiacSignDesc {
    std::string image;
    bool hasGlow = false;
    Point init;
    Point final;
    std::string constellationImage;
    Point constellation;
};

class ZodiacSignsFile {
public:
    static const char* const Folder;

    // The signs in file order; a file that cannot be read or parsed gives
    // none and one error line.
    static std::vector<ZodiacSignDesc> load(const std::string& path);
};
