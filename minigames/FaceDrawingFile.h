#pragma once
// The face-drawing game's description file (its name is the tuning key
// "MgFaceDrawing.GameXmlFile", in "content/config/minigames/FaceDrawing/"),
// read into plain records:
//
//   <FaceDrawingGame>
//     <Star x= y= /> ...         the stars in their order (top-left)
//     <Connection x= y= /> ...   the line into star k (k from 1): picture
//                                "content/images/minigames/FaceDrawing/" + k
//     <Outline x= y= />          the face's outline, shown at the end
//   </FaceDrawingGame>
//
// Missing numbers read as 0. Without the file or a "FaceDrawingGame" root
// nothing is read (no star, no outline).
#include "engine/core/Types.h"

#include <string>
#include <vector>

struct FaceDrawingDesc {
    std::vector<Point> stars;
    std::vector<Point> connections;
    bool hasOutline = false;
    Point outline;
};

class FaceDrawingFile {
public:
    static const char* const Folder;

    // A file that cannot be read or parsed gives an empty description and
    // one error line.
    static FaceDrawingDesc load(const std::string& path);
};
