#pragma once
// A flickering scene light (a background item of group 6): its intensity
// wanders between a minimum and a maximum at a given speed, changing
// direction at random, and, once the scene has connected its light, each
// drawing writes the light: ambient = the item's A / 255, diffuse = the
// item's R, G, B / 255 times the intensity, no specular, position = the
// item's x, y and layer. It draws nothing itself and takes no clicks.
//
// Keys "SceneFlicker." + infoTip + ".MinIntensity" (0), ".MaxIntensity"
// (1), ".FlickerSpeed" (1, intensity units per second) and ".Randomness"
// (0 to 100, clamped; 100 turns at every update, 0 about once in 100).
#include "game/ItemRenderer.h"
#include "scenes/SceneLightSource.h"

#include <cstdint>

class FlickerRenderer : public ItemRenderer, public SceneLightSource {
public:
    FlickerRenderer(ItemRendererOwner* owner, ItemState* item);

    // Reads the keys.
    void load(ResourceManager* resources) override;
    void update(int dt) override;
    // Writes the light vectors (once connected).
    void render(Graphics& g) override;
    void connectLight(float* ambient, float* diffuse, float* specular, float* position) override;

    float getIntensity() const { return intensity; }
    int32_t getFlipDivisor() const { return flipDivisor; }
    bool isRising() const { return rising; }
    bool isConnected() const { return connected; }

private:
    float intensity = 0;
    float maxIntensity = 1.0f;
    float minIntensity = 0;
    float speed = 1.0f;
    int32_t flipDivisor = 100;
    bool rising = true;
    bool connected = false;
    float* ambient = nullptr;   // the scene's; not owned
    float* diffuse = nullptr;
    float* specular = nullptr;
    float* position = nullptr;
};
