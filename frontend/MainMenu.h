#pragma once
// The title screen, in its simple form: "Play" and "Quit".
//
// "Play" asks the game flow for the screen at the current position (the
// position does not move). When there is one, the menu fades out, pops
// itself and shows it; when the flow gives none, the menu stays and says so
// in one line. "Quit" makes the application's quit request, as closing the
// window does (the application then asks for confirmation); the menu stays.
//
// Fades: 500 ms in and out.
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/SimpleScreenLayout.h"

#include <memory>

class MainMenu : public ScreenBase, public QuarnButtonListener {
public:
    enum ButtonId { PlayButton = 0, QuitButton = 4 };
    // The code the menu closes with when it leaves for the game.
    static constexpr int PlayCode = 0;
    static constexpr int FadeMs = 500;

    MainMenu();
    ~MainMenu() override;

    // QuarnButtonListener: clicks (event 1) on the two buttons.
    void onButtonEvent(int id, int event) override;

    // The screen that "Play" took from the flow, waiting for the fade-out;
    // null before. Owned until it is shown.
    ScreenBase* getPendingScreen() const { return pending.get(); }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    void play();

    SimpleScreenLayout layout;
    std::unique_ptr<ScreenBase> pending;
};
