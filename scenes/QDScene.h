#pragma once
// The game's scene screen, in its simple form over the hidden-object scene
// machinery: the scene's items drawn and played by its mechanics script, a
// title with its number and a "Leave" button. The items wanted by the
// current step are clickable. "Leave" closes the scene with 1000 (the main
// menu); on leaving, with any code, the scene pops itself and shows a new
// main menu.
//
// The constructor makes the item renderer factory afresh with every creator
// of the renderer-id table, and the scene resumes at the current profile's
// saved step. Below the items lies the picture BackgroundFile in the scene's
// configuration folder (`configPath`, which ends with its "/") when that file
// exists, else a plain fill.
#include "engine/ui/QuarnButtonListener.h"
#include "frontend/SimpleScreenLayout.h"
#include "scenes/HOScene.h"

#include <string>

class QDScene : public HOScene, public QuarnButtonListener {
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

    const std::string& getConfigPath() const { return configPath; }
    const std::string& getItemRendererConf() const { return itemRendererConf; }
    const std::string& getMechanicsConf() const { return mechanicsConf; }
    const std::string& getItemGroupConf() const { return itemGroupConf; }
    // The background picture's path, or "" when there is none.
    std::string backgroundPath() const;

protected:
    // The background picture, when there is one.
    void registerResources() override;
    void onSceneStarted() override;
    void beforeItemsRendered(Graphics& g) override;
    void onRenderersBuilt() override;
    void onItemRemoved(ItemState* item) override;
    void onMessage(int32_t code) override;

private:
    // The wanted items (group 2) of this scene become clickable.
    void enableWantedItems();

    std::string configPath;
    std::string itemRendererConf;
    std::string mechanicsConf;
    std::string itemGroupConf;
    SimpleScreenLayout layout;
};
