#include "minigames/KlotskyFile.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

const char* const KlotskyFile::Folder = "content/config/minigames/Klotsky/";

namespace {

// Reads required attributes, warning once per missing one.
class Reader {
public:
    explicit Reader(const std::string& path) : path(path) {}

    int integer(const TiXmlElement* e, const char* name, int index) const
    {
        const char* value = e->Attribute(name);
        if (!value)
            missing(e, name, index);
        return toIntOrDefault(value, 0);
    }

    std::string text(const TiXmlElement* e, const char* name, int index) const
    {
        const char* value = e->Attribute(name);
        if (!value)
            missing(e, name, index);
        return value ? value : std::string();
    }

private:
    void missing(const TiXmlElement* e, const char* name, int index) const
    {
        logWarning("klotsky: \"" + path + "\": " + e->ValueStr() + " " + std::to_string(index) + " has no \"" + name +
                   "\"; read as 0");
    }

    std::string path;
};

} // namespace

KlotskyDesc KlotskyFile::load(const std::string& path)
{
    KlotskyDesc desc;
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "klotsky"))
        return desc;
    const TiXmlElement* root = doc.RootElement();
    const TiXmlElement* board = root && root->ValueStr() == "KlotskyGame" ? root->FirstChildElement("Board") : nullptr;
    if (!board) {
        logError("klotsky: \"" + path + "\" has no <KlotskyGame> root with a <Board>; the board stays empty");
        return desc;
    }
    const Reader read(path);
    const int rows = read.integer(board, "numRows", 0);
    const int columns = read.integer(board, "numColumns", 0);
    if (rows > MaxSide || columns > MaxSide) {
        logError("klotsky: \"" + path + "\": a board of " + std::to_string(rows) + " x " + std::to_string(columns) +
                 " cells is larger than " + std::to_string(MaxSide) + " x " + std::to_string(MaxSide) +
                 "; the board stays empty");
        return desc;
    }
    desc.hasBoard = true;
    desc.rows = rows;
    desc.columns = columns;
    desc.pattern = read.text(board, "pattern", 0);
    int index = 0;
    for (const TiXmlElement* e = root->FirstChildElement("Tile"); e; e = e->NextSiblingElement("Tile"), ++index) {
        KlotskyTileDesc tile;
        tile.row = read.integer(e, "row", index);
        tile.column = read.integer(e, "column", index);
        tile.width = read.integer(e, "width", index);
        tile.height = read.integer(e, "height", index);
        tile.image = read.text(e, "image", index);
        if (const char* glow = e->Attribute("glowImage"))
            tile.glowImage = glow;
        desc.tiles.push_back(tile);
    }
    const TiXmlElement* solution = root->FirstChildElement("Solution");
    index = 0;
    for (const TiXmlElement* e = solution ? solution->FirstChildElement("Condition") : nullptr; e;
         e = e->NextSiblingElement("Condition"), ++index) {
        KlotskyCondition condition;
        condition.tileId = read.integer(e, "tileId", index);
        condition.row = read.integer(e, "row", index);
        condition.column = read.integer(e, "column", index);
        desc.conditions.push_back(condition);
    }
    return desc;
}
