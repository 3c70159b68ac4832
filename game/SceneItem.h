#pragma once
// One item of a hidden-object scene as its scene item file describes it: the
// picture, where and how it is drawn, and what kind of item it is. A plain
// record; after registration each one is owned by its ItemState.
#include <cstdint>
#include <string>

struct SceneItem {
    std::string name;
    // The picture's file name inside the scene folder.
    std::string image;
    // The scene folder (the index entry's path, ending with '/').
    std::string folder;
    // Drawing order, lower first.
    int32_t layer = 0;
    int32_t majorGroupID = 0;
    int32_t minorGroupID = 0;
    // Screen position of the picture's top-left corner.
    float x = 0.0f;
    float y = 0.0f;
    float angle = 0.0f;
    // The tint the picture is drawn with; the low byte of each is used.
    int32_t R = 0;
    int32_t G = 0;
    int32_t B = 0;
    int32_t A = 0;
    // Which group-rule table applies (0 or 1).
    int32_t type = 0;
    // The item's settings name (per-item tuning keys are built from it).
    std::string infoTip;
    // The item's kind: 0 ordinary, 100-199 key items, 200 and 213 runes, 667
    // magic bonus item. Scripts and rules select items by it.
    int32_t typeId = 0;
};
