#pragma once
// A renderer that can be a scene's key item: the item the player clicks last
// to finish the scene. It stays invisible and unclickable until the game
// scene activates it.
class SceneKeyItem {
public:
    virtual ~SceneKeyItem() = default;
    // Makes the item drawn and clickable.
    virtual void activate() = 0;
};
