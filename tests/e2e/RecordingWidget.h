#pragma once
// A coloured rectangle for the end-to-end tests. It writes every input hook
// the widget manager calls on it into the driver's HookLog, one line each:
//   "<name> enter", "<name> leave", "<name> move X,Y buttons B",
//   "<name> press X,Y", "<name> release X,Y", "<name> key K C" (key code,
//   8-bit character; presses only), "<name> focus", "<name> blur",
//   "<name> deleted".
// It belongs to the screen it is added to.
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"
#include <functional>
#include <string>

class HookLog;

class RecordingWidget : public Widget {
public:
    using Action = std::function<void(RecordingWidget& widget)>;

    // Geometry {x, y, z, w, h}; z 0 lets the manager put it on top. `log` is
    // not owned and must outlive the widget.
    RecordingWidget(const std::string& name, HookLog& log, const WidgetGeometry& geometry, Color colour);
    ~RecordingWidget() override;

    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseMove(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    void onMouseEnter() override;
    void onMouseLeave() override;
    void onKey(KeyEvent* event) override;
    void onFocusGained() override;
    void onFocusLost() override;

    const std::string& getName() const { return name; }

    // Run after the release has been logged; it may take the widget off its
    // screen (ScreenBase::safeRemoveWidget).
    Action onReleaseAction;

private:
    std::string name;
    HookLog& log;
    Color colour;
};
