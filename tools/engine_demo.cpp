// A small program that shows the engine working on the project's own content:
// it opens the configured window, draws the generated backdrop with a few
// textured, alpha-blended sprites moving over it, and takes screenshots on F8
// into the save folder like the game does. It reads no command line and runs
// from the repository root (content paths are relative).
#include "engine/app/SDLGameApp.h"
#include "engine/core/Log.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/AppConfig.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/ScreenBase.h"

#include <cmath>

namespace {

const char* const kBackdrop = "content/images/demo/backdrop.jpg";
const char* const kSprites[] = {"content/images/demo/sprite_a.png", "content/images/demo/sprite_b.png",
                                "content/images/demo/panel.png"};

// The backdrop and three sprites; the sprites drift on circles.
class DemoScreen : public ScreenBase {
public:
    DemoScreen() : ScreenBase("EngineDemo") {}

    void loadResources() override
    {
        getResources()->registerTexture("DEMO_BACKDROP", new GLTexture(kBackdrop));
        for (int i = 0; i < 3; ++i)
            getResources()->registerTexture("DEMO_SPRITE_" + std::to_string(i), new GLTexture(kSprites[i]));
    }

    void build() override
    {
        addWidget(new ImageWidget(getResources()->findTexture("DEMO_BACKDROP"), 0, 0, true));
        for (int i = 0; i < 3; ++i) {
            sprites[i] = new ImageWidget(getResources()->findTexture("DEMO_SPRITE_" + std::to_string(i)), 0, 0);
            addWidget(sprites[i]);
        }
        place();
    }

    void onUpdate(int dt) override
    {
        elapsed += dt;
        place();
    }

private:
    void place()
    {
        const double t = elapsed / 1000.0;
        const int centres[3][2] = {{300, 300}, {700, 350}, {256, 480}};
        for (int i = 0; i < 3; ++i) {
            if (!sprites[i])
                continue;
            const double a = t * (0.6 + 0.3 * i) + i * 2.1;
            const int radius = i == 2 ? 20 : 120;
            sprites[i]->setPosition(centres[i][0] + static_cast<int>(radius * std::cos(a)),
                                    centres[i][1] + static_cast<int>(radius * std::sin(a)));
        }
    }

    ImageWidget* sprites[3] = {nullptr, nullptr, nullptr};
    long elapsed = 0;
};

class DemoApp : public SDLGameApp {
public:
    bool start()
    {
        AppConfig& config = AppConfig::getInstance();
        if (!config.readConfig("content/config/config.xml"))
            logWarning("engine demo: running with the default configuration");
        setCaption(config.getCaption().empty() ? "Engine demo" : config.getCaption() + " - engine demo");
        if (!openWindow(config.getWidth(), config.getHeight(), config.getBitDepth(), false))
            return false;
        showScreen(new DemoScreen());
        return true;
    }
    void initApp() override {}
};

} // namespace

int main()
{
    int status = 0;
    {
        DemoApp app;
        if (app.start())
            app.run();
        else
            status = 1;
    }
    AppConfig::destroyInstance();
    return status;
}
