#pragma once
// The game's scene screen, in its simple form: the scene's background, its
// number and a "Leave" button. "Leave" closes the scene with 1000 (the main
// menu); on leaving, with any code, the scene pops itself and shows a new
// main menu.
//
// The background is the picture BackgroundFile in the scene's configuration
// folder (`configPath`, which ends with its "/") when that file exists, else
// a plain fill. The other arguments are kept for the full scene.
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/SimpleScreenLayout.h"

#include <string>

class QDScene : public ScreenBase, public QuarnButtonListener {
public:
    enum ButtonId { LeaveButton = 1000 };
    // The close code of "Leave": back to the main menu.
    static constexpr int MainMenuCode = 1000;
    // The background picture's file name inside the configuration folder.
    static constexpr const char* BackgroundFile = "Background.jpg";
    // Its id in the scene's resource manager.
    static constexpr const char* BackgroundId = "SCENE_BACKGROUND";

    QDScene(int sceneId, const std::string& configPath, const std::string& itemRendererConf,
            const std::string& mechanicsConf, const std::string& itemGroupConf);

    // QuarnButtonListener: a click (event 1) on "Leave" closes the scene.
    void onButtonEvent(int id, int event) override;

    int getSceneId() const { return sceneId; }
    const std::string& getConfigPath() const { return configPath; }
    const std::string& getItemRendererConf() const { return itemRendererConf; }
    const std::string& getMechanicsConf() const { return mechanicsConf; }
    const std::string& getItemGroupConf() const { return itemGroupConf; }
    // The background picture's path, or "" when there is none.
    std::string backgroundPath() const;

protected:
    // The background picture, when there is one.
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    int sceneId;
    std::string configPath;
    std::string itemRendererConf;
    std::string mechanicsConf;
    std::string itemGroupConf;
    SimpleScreenLayout layout;
};
