#pragma once
// A location marker on the map: its picture, a highlight picture and its
// caption ("LOCATION_" + index) that fade in over 300 ms while the pointer
// is over it (and out again from wherever they were), and a glowing streak
// turning once every 5000 ms about the marker's centre (64, 64). Only its
// opaque pixels take the pointer. A release while the pointer is on it is a
// choice, told to the listener; entering plays "MAP_LOCATION_OVER",
// releasing "MAP_LOCATION_PRESS" (when the effects are loaded).
//
// The pictures belong to the screen's resource manager; the listener is not
// owned. Time is the frame time handed to update().
#include "engine/anim/ActionListener.h"
#include "engine/ui/Widget.h"

#include <cstdint>
#include <memory>
#include <string>

class Action;
class Font;
class GLTexture;
class LocationListener;

class MapLocation : public Widget, public ActionListener {
public:
    static constexpr int HighlightMs = 300;
    static constexpr int TurnMs = 5000;

    // Zero geometry (the owner places it), enabled; the streak starts turning.
    MapLocation(LocationListener* listener, GLTexture* normal, GLTexture* over, int index);
    ~MapLocation() override;

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    void onMouseLeave() override;
    void onMouseEnter() override;
    // Inside the rectangle, on a pixel of the marker that is not transparent.
    bool hitTest(int x, int y) override;
    void onActionFinished(int32_t id) override;

    int getIndex() const { return index; }
    int getHighlight() const { return highlight; }
    bool isHovered() const { return hovered != 0; }
    const std::string& getCaption() const { return caption; }
    float getAngle() const { return angle; }

private:
    void fadeHighlightTo(int target);

    int32_t index;
    int32_t highlight = 0;
    uint8_t hovered = 0;
    std::string caption;
    LocationListener* listener;  // not owned
    Font* captionFont;           // not owned: the application's
    float angle = 0.f;
    GLTexture* normal;  // not owned
    GLTexture* over;    // not owned
    std::unique_ptr<Action> highlightAction;
    std::unique_ptr<Action> rotation;
};
