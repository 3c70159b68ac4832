#pragma once
// The sliding-block game's description file (under "content/config/
// minigames/Klotsky/"), read into plain records:
//
//   <KlotskyGame>
//     <Board numRows= numColumns= pattern= />
//     <Tile row= column= width= height= image= glowImage= /> ...
//     <Solution> <Condition tileId= row= column= /> ... </Solution>
//   </KlotskyGame>
//
// Integers are read the C library's way (an optional sign and the leading
// digits; text without digits gives 0). Every attribute but "glowImage" is
// required: a missing one reads as 0 (or empty) with a warning naming it.
// A file that cannot be read, or lacks "KlotskyGame" or its "Board", or
// whose board has more than MaxSide rows or columns, gives no board
// (hasBoard false) and one error line.
#include <string>
#include <vector>

struct KlotskyTileDesc {
    int row = 0;
    int column = 0;
    int width = 0;
    int height = 0;
    std::string image;
    // Empty when the tile has no glow picture.
    std::string glowImage;
};

// The tile with index tileId (in file order) must stand at (row, column).
struct KlotskyCondition {
    int tileId = 0;
    int row = 0;
    int column = 0;
};

struct KlotskyDesc {
    bool hasBoard = false;
    int rows = 0;
    int columns = 0;
    std::string pattern;
    std::vector<KlotskyTileDesc> tiles;
    std::vector<KlotskyCondition> conditions;
};

class KlotskyFile {
public:
    static const char* const Folder;
    // A board with more rows or columns than this is refused (no board).
    static constexpr int MaxSide = 64;

    static KlotskyDesc load(const std::string& path);
};
