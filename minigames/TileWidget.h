#pragma once
// One tile of a tile-swap game: a picture that reports every pointer event
// to the game by its id (0 pressed, 1 released, 2 entered, 3 left), with
// the pixel test on (only opaque pixels take the pointer). It can show up to
// three looks (state 0 normal, 1 pointer over, 2 active), be rotated about
// one point and scaled about another, and fade a picture in over itself.
// Textures are not owned (they belong to the screen's resource manager);
// the fade action is.
#include "engine/ui/ClickableImageWidget.h"

#include <map>
#include <memory>

class Action;

class TileWidget : public ClickableImageWidget {
public:
    enum State { Normal = 0, Over = 1, Active = 2 };
    enum Event { Pressed = 0, Released = 1, Entered = 2, Left = 3 };

    // At (0, 0), sized to the texture (which may be null: then 0 x 0).
    TileWidget(SimpleButtonListener* listener, int id, GLTexture* texture);
    ~TileWidget() override;

    // The look of a state; null removes it.
    void setStateImage(int state, GLTexture* image);
    // Shows the state's look; nothing when the tile has none for it.
    void setState(int state);
    // The active look (state 2) fades in over the tile in `ms`; nothing
    // without an active look.
    void fadeInOverlay(int ms);

    void update(int dt, ScreenBase* screen) override;
    // Rotated about rotationPivot by angle, scaled about scalePivot; the
    // overlay over the picture.
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMouseEnter() override;
    void onMouseLeave() override;

    // Targets of a swap effect's actions; the position fields are the
    // widget's own x and y, written without the move notifications.
    int* xTarget() { return &geometry.x; }
    int* yTarget() { return &geometry.y; }
    // The tint's bytes, for effects that darken or fade the tile.
    Color* tintTarget() { return &tint; }

    Point rotationPivot;
    Point scalePivot;
    // Degrees about the screen's z axis, and the scale factor.
    float angle = 0.f;
    float scale = 1.f;
    int overlayAlpha = 0;

    GLTexture* getOverlayImage() const { return overlayImage; }

private:
    std::map<int, GLTexture*> stateImages;  // textures not owned
    GLTexture* overlayImage = nullptr;      // not owned
    std::unique_ptr<Action> fadeAction;
};
