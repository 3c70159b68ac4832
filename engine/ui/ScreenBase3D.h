#pragma once
// A screen with a 3-D pass under its 2-D content: drawUnder3D() in the 2-D
// set-up, then draw3D() in the camera's perspective, then the ordinary screen
// drawing in the 2-D set-up again. The projection spans the application's
// window size.
#include "engine/ui/CameraSetup.h"
#include "engine/ui/ScreenBase.h"

class ScreenBase3D : public ScreenBase {
public:
    explicit ScreenBase3D(const std::string& name);

    void draw(Graphics& g) override;

    // Drawn first, still in the 2-D projection (backgrounds behind the 3-D
    // pass; also the place to move the camera).
    virtual void drawUnder3D(Graphics& g);
    // Drawn in the camera's perspective.
    virtual void draw3D(Graphics& g);

    CameraSetup& getCamera() { return camera; }
    const CameraSetup& getCamera() const { return camera; }

protected:
    CameraSetup camera;
};
