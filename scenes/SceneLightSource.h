#pragma once
// A renderer of a scene's background group that drives the scene's light:
// the game scene hands it its four light vectors (four floats each: ambient,
// diffuse, specular, position), which it writes as it draws; the scene lights
// its items with them (OpenGL light 0). The vectors belong to the scene and
// outlive the renderer.
class SceneLightSource {
public:
    virtual ~SceneLightSource() = default;
    virtual void connectLight(float* ambient, float* diffuse, float* specular, float* position) = 0;
};
