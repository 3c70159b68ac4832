#pragma once
// Falling rain over a screen: streaks of one small drop picture in three
// slightly tilted layers, spawned along the top of a square that is 256
// pixels wider than the window and centred on it (so the tilted rain still
// covers the window), falling at a speed that grows with their size.
//
// Inert until setup() gives it its picture; it never takes input. Time is
// the frame time handed to update(); a frame longer than 100 ms counts as
// 100 ms. Random numbers come from randomBelow.
//
// All drops of a layer are drawn with one vertex-array call from arrays the
// widget keeps; once the number of drops has settled, update and draw
// allocate nothing.
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"
#include "scenes/RainDrop.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GLTexture;
class ResourceManager;

class RainWidget : public Widget {
public:
    // Drops are spawned per millisecond at 0.7 / spawn cost.
    static constexpr float SpawnPerMs = 0.7f;
    static constexpr int MaxFrameMs = 100;

    // The area from the application's window size (1024 x 768 without an
    // application); input off.
    RainWidget();
    ~RainWidget() override;

    // Loads the drop picture (no filter, picture kept) and hands it to
    // `resources`, which owns it from then on (the widget keeps it itself
    // when `resources` is null). `colour` is packed with red in the lowest
    // byte, then green, blue and alpha; the alpha is the brightest drop's,
    // a tenth of it the faintest's. `density` is clamped to 0..100: from
    // about 0.23 drops per millisecond at 0 to 7 at 100. `angle` is the tilt
    // in degrees of the middle layer, the others lie 3 degrees to either
    // side. A picture that cannot be read gives the loader's transparent
    // pixel: the rain then runs unseen.
    void setup(const std::string& texturePath, int density, ResourceManager* resources, uint32_t colour,
               float angle);

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;

    const std::vector<RainDrop>& getDrops() const { return drops; }
    const WidgetGeometry& getArea() const { return area; }
    float getSpawnCost() const { return spawnCost; }
    int getAlphaMin() const { return alphaMin; }
    int getAlphaMax() const { return alphaMax; }
    // The drop alpha (0-255) of a drop of that size.
    int dropAlpha(float size) const;
    bool isSetUp() const { return texture != nullptr; }

private:
    void spawnDrop();
    // Fills the arrays with the drops of one layer; returns their count.
    int fillLayer(int layer);

    GLTexture* texture = nullptr;  // owned by the manager given to setup (or by ownTexture)
    std::unique_ptr<GLTexture> ownTexture;
    WidgetGeometry area;
    float angle = -5.f;
    Color colour{200, 200, 200, 255};
    int32_t alphaMax = 0;
    int32_t alphaMin = 0;
    float left = 0.f, top = 0.f, right = 0.f, bottom = 0.f;
    std::vector<RainDrop> drops;
    std::vector<int32_t> doomed;
    float spawnCredit = 0.f;
    float spawnCost = 1.f;
    float speedFactor = 0.8846154f;
    float alphaRange = 0.f;
    // The drop quad: its corners in strip order (x, y) and their texture
    // coordinates.
    float quad[8] = {};
    float quadTex[8] = {};
    // One layer's drops as quads, four corners each: x, y, z / u, v / r, g, b, a.
    std::vector<float> vertexArray;
    std::vector<float> texArray;
    std::vector<uint8_t> colourArray;
};
