#pragma once
// A necklace piece in the whack-a-mole game: small (scale 0.4) and
// invisible until a squirrel carries it out, then flown to its slot in the
// necklace column at full size when that squirrel is clicked. It takes no
// pointer input itself (disabled); the squirrel carrying it counts a click
// on its pixels as a click on the squirrel. When a flight ends it reports
// (id, ArrivedState) to its listener's onButton.
//
// The piece is drawn scaled about its centre, so its geometry (and its
// alpha-tested hit test) stays the picture's full size.
#include "engine/anim/ActionListener.h"
#include "engine/ui/ClickableImageWidget.h"

#include <memory>

class Action;

class NeklacePiece : public ClickableImageWidget, public ActionListener {
public:
    static constexpr float CarriedScale = 0.4f;
    static constexpr int FlyMs = 500;
    // The state reported with the id when a flight has ended.
    static constexpr int ArrivedState = 200;

    // Listener not owned; the piece starts disabled, invisible, at (0, 0).
    NeklacePiece(GLTexture* texture, SimpleButtonListener* listener, int id);
    ~NeklacePiece() override;

    // Advances a flight by the frame time.
    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;

    // Flies the corner to (x, y) and the scale to `toScale` over FlyMs
    // (a running flight is replaced).
    void flyTo(int x, int y, float toScale);
    // The flight's end.
    void onActionFinished(int32_t id) override;

    // Puts the piece's centre on the point.
    void centreOn(int x, int y);
    // The tint's alpha, clamped to 0..255.
    void setAlpha(int alpha);
    float getScale() const { return scale; }
    bool isFlying() const;

private:
    float scale = CarriedScale;
    // Flight targets; copied into the geometry every update of a flight.
    int flyX = 0;
    int flyY = 0;
    std::unique_ptr<Action> fly;
};
