#pragma once
// How a game scene's items are seen: the looping panorama of a scene wider
// than the 1024-pixel screen and the scene light.
//
// Panorama: when the widest background is wider than the screen, the items
// scroll left by 0.5 pixels per update and wrap at the scene's width; while
// the right end of the scene is on screen its start is drawn again to the
// right of it, and clicks there reach the items of the start. The scroll is
// per update, not per millisecond.
//
// Light: a background renderer that is a SceneLightSource gets the four light
// vectors, and the items are then drawn with OpenGL light 0 on.
#include <cstdint>
#include <vector>

class Graphics;
class HOScene;
class ItemState;
class SceneLightSource;

class SceneView {
public:
    static constexpr int ScreenWidth = 1024;
    static constexpr float ScrollStep = -0.5f;

    // A panorama when wider than the screen.
    void setSceneWidth(int widest);
    void connectLight(SceneLightSource* source);
    // One update's scroll.
    void update();
    // The right end of the panorama is on screen.
    bool isWrapVisible() const;
    // The item of `scene` under the screen point, the wrapped copy included.
    ItemState* hitTest(const HOScene& scene, int x, int y) const;
    // Before the scene's item pass: the light on, the wrapped copy of the
    // items drawn, the scroll applied.
    void beginItems(Graphics& g, const std::vector<ItemState*>& renderList) const;
    // After it: the scroll taken back, the light off.
    void endItems(Graphics& g) const;

    bool isPanorama() const { return panorama; }
    float getScrollX() const { return scrollX; }
    int getSceneWidth() const { return sceneWidth; }
    bool areLightsOn() const { return lightsOn; }
    void setAutoScroll(bool on) { autoScroll = on; }
    bool isAutoScroll() const { return autoScroll; }
    // The scroll and the auto-scroll switch, for the actions that move the
    // panorama to a spell's target.
    float* scrollRef() { return &scrollX; }
    bool* autoScrollRef() { return &autoScroll; }

private:
    bool panorama = false;
    float scrollX = 0;
    int sceneWidth = ScreenWidth;
    float scrollSpeed = 0;
    bool autoScroll = false;
    float lightAmbient[4] = {1, 1, 1, 1};
    float lightDiffuse[4] = {0, 0, 0, 1};
    float lightSpecular[4] = {0, 0, 0, 1};
    float lightPosition[4] = {0, 0, 5000, 1};
    bool lightsOn = false;
};
