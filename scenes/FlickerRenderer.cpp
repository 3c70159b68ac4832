#include "scenes/FlickerRenderer.h"

#include "engine/core/StringUtils.h"
#include "engine/store/ConfigFile.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"

#include <algorithm>

FlickerRenderer::FlickerRenderer(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : ItemRenderer(rendererOwner, drawnItem)
{
}

void FlickerRenderer::load(ResourceManager*)
{
    if (!item || !item->item)
        return;
    const std::string key = "SceneFlicker." + item->item->infoTip;
    minIntensity = getParamFloat(key + ".MinIntensity", 0.0f);
    maxIntensity = getParamFloat(key + ".MaxIntensity", 1.0f);
    speed = getParamFloat(key + ".FlickerSpeed", 1.0f);
    const int randomness = std::clamp(getParamInt(key + ".Randomness", 0), 0, 100);
    flipDivisor = 100 - randomness * 99 / 100;
}

void FlickerRenderer::update(int dt)
{
    float step = static_cast<float>(dt) * 0.001f * speed;
    if (!rising)
        step = -step;
    if (randomBelow(flipDivisor) == 0)
        rising = !rising;
    intensity += step;
    if (intensity < minIntensity) {
        intensity = minIntensity;
        rising = true;
    } else if (intensity > maxIntensity) {
        intensity = maxIntensity;
        rising = false;
    }
}

void FlickerRenderer::connectLight(float* ambientLight, float* diffuseLight, float* specularLight,
                                   float* lightPosition)
{
    ambient = ambientLight;
    diffuse = diffuseLight;
    specular = specularLight;
    position = lightPosition;
    connected = ambient && diffuse && specular && position;
}

void FlickerRenderer::render(Graphics&)
{
    if (!connected || !item || !item->item)
        return;
    const SceneItem& light = *item->item;
    const float a = static_cast<float>(light.A) / 255.0f;
    const float values[4][4] = {
        {a, a, a, 1.0f},
        {static_cast<float>(light.R) / 255.0f * intensity, static_cast<float>(light.G) / 255.0f * intensity,
         static_cast<float>(light.B) / 255.0f * intensity, 1.0f},
        {0, 0, 0, 0},
        {light.x, light.y, static_cast<float>(light.layer), 1.0f}};
    float* targets[4] = {ambient, diffuse, specular, position};
    for (int v = 0; v < 4; ++v)
        std::copy(values[v], values[v] + 4, targets[v]);
}
