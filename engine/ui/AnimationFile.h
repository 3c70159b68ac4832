#pragma once
// Reads a key-framed animation file into plain description records; the
// player builds its runtime objects from them. The file (read through
// XmlFile) looks like
//
//   <Scene name="Clip" loop="0" length="300">
//     <Screen Width="512" Height="256" />
//     <Object file="Panel.png" type="0">
//       <KeyFrame TimeStamp="0" TypeInterpolator="0" Type="0" x="0" y="0" z="0"
//                 ScaleX="100" ScaleY="100" Angle="0"
//                 Red="255" Green="255" Blue="255" Alpha="255" />
//       ...
//
// "Scene" is the document's first element of that name and "Screen" its
// first child of that name; every "Object" of the scene and every "KeyFrame"
// of an object is read in file order. Every attribute shown is required;
// the image attributes only on key frames of Type 0. Integers are read as
// atoi reads them, decimals as atof does (the leading number, else 0).
#include <cstdint>
#include <string>
#include <vector>

struct AnimationKeyFrameDesc {
    int32_t timeStamp = 0;     // ms from the animation's start
    int32_t interpolator = 0;  // id in the player's interpolator table
    int32_t type = 0;          // 0: image key frame with the values below
    // Type 0 only, as written in the file (the angle is not yet negated).
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float scaleX = 100.0f, scaleY = 100.0f;
    float angle = 0.0f;
    int32_t red = 255, green = 255, blue = 255, alpha = 255;
};

struct AnimationObjectDesc {
    std::string file;  // relative to the folder of the animation file
    int32_t type = 0;  // 0: drawn image; other values: never drawn, no texture
    std::vector<AnimationKeyFrameDesc> keyFrames;  // file order
};

struct AnimationDesc {
    std::string name;
    bool loop = false;
    int32_t length = 0;  // ms
    int32_t width = 0, height = 0;
    std::vector<AnimationObjectDesc> objects;  // file order
};

class AnimationFile {
public:
    // Reads and checks the file. On failure returns false, leaves `out`
    // unchanged and sets `reason` (a file that cannot be read or parsed has
    // already been reported by XmlFile; missing elements and attributes are
    // only described in `reason`).
    [[nodiscard]] static bool read(const std::string& path, AnimationDesc& out, std::string& reason);

private:
    AnimationFile() = delete;
};
