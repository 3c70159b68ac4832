#pragma once
// A screen for the application tests: it writes every call the stack and the
// loop make on it into the driver's HookLog ("<name> enter", "<name> key 13 0
// 13 13", "<name> update 30", ...) and can be told to fill the window, draw a
// texture, or run an action on a key, a mouse record, an update or its close.
#include "engine/core/Types.h"
#include "engine/ui/ScreenBase.h"
#include <functional>
#include <string>
#include <vector>

class GLTexture;
class HookLog;

class ProbeScreen : public ScreenBase {
public:
    using Action = std::function<void(ProbeScreen& screen)>;

    // `log` is not owned and must outlive the screen.
    ProbeScreen(const std::string& name, HookLog& log);
    ~ProbeScreen() override;

    void show(GameApp* app) override;
    void enter(GameApp* app) override;
    void popped(GameApp* app) override;
    void deactivate(GameApp* app) override;
    void activate(GameApp* app) override;
    void draw(Graphics& g) override;
    void update(int dt) override;
    void releaseGL() override;
    void reloadGL() override;
    void onKey(KeyEvent* event) override;
    void onMouse(MouseEvent event) override;
    void loadResources() override;
    void build() override;
    void onClosed(int resultCode) override;

    // Fill the window with this colour before drawing anything else.
    void setFill(Color colour) { fill = colour; hasFill = true; }
    // Draw the texture (not owned) at x, y every frame, after the fill.
    void addPicture(GLTexture* texture, int x, int y);
    // Fill the rectangle every frame, after the pictures.
    void addRect(int x, int y, int w, int h, Color colour);
    // Write "<name> draw" for every frame drawn (off by default).
    void setLogDraws(bool on) { logDraws = on; }

    Action onKeyAction;
    Action onMouseAction;
    Action onUpdateAction;
    Action onClosedAction;
    // Work done inside loadResources (registering textures, for instance).
    Action onLoadAction;

private:
    struct Picture {
        GLTexture* texture;
        int x, y;
    };

    struct Box {
        int x, y, w, h;
        Color colour;
    };

    HookLog& log;
    std::vector<Box> boxes;
    Color fill;
    bool hasFill = false;
    bool logDraws = false;
    std::vector<Picture> pictures;
};
