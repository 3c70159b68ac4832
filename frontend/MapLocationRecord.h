#pragma once
// One location of "content/config/MapLocations.xml": root <Map>, one
// <Location x y dotX dotY imageNormal imageOver/> per location in file order;
// its place in the file (from 0) is the location index, which is also the
// screen id of the quests played there and its game flow entry.
//
// x, y: top-left corner of the marker on the 1024 x 768 map; dotX, dotY:
// top-left corner of its dot. Missing numbers read -1. The pictures are
// "content/images/menus/map/" + stem + the image extension.
#include <string>
#include <vector>

struct MapLocationRecord {
    int x = -1;
    int y = -1;
    int dotX = -1;
    int dotY = -1;
    std::string normalImage;
    std::string overImage;

    static constexpr const char* File = "content/config/MapLocations.xml";
    static constexpr const char* ImageFolder = "content/images/menus/map/";

    // The records of the file; none (one error line) when it cannot be read
    // or its root is not <Map>.
    static std::vector<MapLocationRecord> read(const std::string& path, const std::string& extension);
    // The same from text in memory (`where` names it in errors).
    static std::vector<MapLocationRecord> parse(const std::string& xml, const std::string& where,
                                                const std::string& extension);
};
