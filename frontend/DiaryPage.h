#pragma once
// One sheet of the 3-D book: a width x height rectangle hinged at the spine
// (x = 0) with a front and a back page rendered into two textures of its own,
// turning over the spine with a curling bend.
//
// A sheet resting on the right has direction 1 and turns towards the next
// pages; one resting on the left has direction 0 and turns back. The turn
// runs `fraction` from 0 to 1 in 900 ms (450 ms accelerating to half-way,
// 450 ms slowing down) on frame time given to advance(). The listener hears
// onTurnStarted when the fraction crosses 0.02, onTurnEnding when it crosses
// 0.995 and onTurnFinished at the end, each once per turn and in that order.
//
// Drawing: two quad strips of 31 columns (front, then the mirrored back),
// each column turned about the Y axis by an angle between the spine's and
// the free edge's; the free edge's bottom corner leads, its top lags.
#include "engine/anim/ActionListener.h"
#include "frontend/BookPage.h"

#include <memory>

class Action;
class GLTexture;
class PageSwitchListener;
class ResourceManager;

class DiaryPage : public ActionListener {
public:
    static constexpr int Columns = 30;
    static constexpr int HalfTurnMs = 450;
    static constexpr float StartedAt = 0.02f;
    static constexpr float EndingAt = 0.995f;

    // Makes the sheet's two textures from blank images of the backgrounds'
    // sizes and hands them to `resources` (which then owns them). Without
    // backgrounds or a manager the sheet has no textures: it turns but
    // renders and draws nothing.
    DiaryPage(GLTexture* frontBackground, GLTexture* backBackground, float width, float height,
              ResourceManager* resources);
    ~DiaryPage() override;
    DiaryPage(const DiaryPage&) = delete;
    DiaryPage& operator=(const DiaryPage&) = delete;

    // Renders the two pages onto the sheet: each background, then the
    // elements in order (text boxed and wrapped, glyphs blended; pictures at
    // their place, blended).
    void fillSheet(const BookPage& front, const BookPage& back);
    // Fraction 0 and a new turn, with the listener (not owned) told of it;
    // nothing when a turn is already running.
    void startTurn(PageSwitchListener* turnListener);
    // Steps the turn by dt ms and tells the listener what it crossed.
    void advance(int dt);
    // Draws the sheet in the current model-view state.
    void draw();

    bool isTurning() const;

    // ActionListener: the turn's end is reported by advance(), after the
    // crossings of the same step.
    void onActionFinished(int32_t id) override;

    // The angles (degrees about Y) of the bottom and top vertex of a column
    // at turn fraction t.
    static void columnAngles(int direction, float t, int column, float& bottom, float& top);
    // The sideways bend of a column at s (0 spine, 1 free edge).
    static float curl(float t, float s, bool turning);
    // The width factor at fraction t: 1 at rest, 0.875 half-way.
    static float widthFactor(float t);

    GLTexture* getFrontTexture() const { return frontTexture; }
    GLTexture* getBackTexture() const { return backTexture; }

    int direction = 1;
    float fraction = 0.f;
    PageSwitchListener* listener = nullptr;  // not owned

private:
    void render(GLTexture* target, GLTexture* background, const BookPage& page);
    void strip(GLTexture* texture, bool back, float t);

    GLTexture* frontTexture = nullptr;  // owned by the resource manager
    GLTexture* backTexture = nullptr;
    GLTexture* frontBackground = nullptr;  // not owned
    GLTexture* backBackground = nullptr;
    float width;
    float height;
    std::unique_ptr<Action> turn;
    bool finishPending = false;
    // Texture coordinates of the right edge and the bottom of the page.
    float uMax = 1.f;
    float vMax = 1.f;
    // One side's quad strip, drawn as a vertex array: two corners a column.
    float stripVertices[(Columns + 1) * 2 * 3] = {};
    float stripTexCoords[(Columns + 1) * 2 * 2] = {};
};
