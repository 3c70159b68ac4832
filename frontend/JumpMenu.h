#pragma once
// What the scene and minigame jump menus share: the placeholder background,
// the title label, a MAIN_MENU button (id 0) and a grid of text buttons.
// Escape or MAIN_MENU closes the menu (code 0) and a new main menu shows.
// A chosen entry is pushed over the menu, which is active again when it
// ends. Fades: 500 ms in and out.
//
// The menus are reached when the main menu closes with code 1 (scenes) or
// 2 (minigames); no main-menu button does that, and the game reads no
// command line: the game driver's close-top opens them for testing.
#include "engine/ui/ScreenBase.h"
#include "engine/ui/SimpleButtonListener.h"

#include <string>
#include <vector>

class SimpleTextButton;

class JumpMenu : public ScreenBase, public SimpleButtonListener {
public:
    enum ButtonId { MainMenuButton = 0 };
    static constexpr int CloseCode = 0;

    struct Entry {
        std::string caption;
        int id;
        int x;
        int y;
    };

    void onKey(KeyEvent* event) override;
    // SimpleButtonListener: releases (event 1) only.
    void onButton(int id, int event) override;

    const std::vector<Entry>& getEntries() const { return entries; }
    SimpleTextButton* findButton(int id) const;

protected:
    JumpMenu();
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;
    // An entry's button was released.
    virtual void onEntryChosen(int id) = 0;
    // The entries of columns at x, one per row of `rows` each, numbered
    // from `firstId` with captions prefix + two digits from 1.
    void addColumns(const std::string& prefix, int firstId, int count,
                    const std::vector<std::pair<int, std::vector<int>>>& columns);

    std::vector<Entry> entries;
    std::vector<SimpleTextButton*> buttons;  // owned by the screen's widgets
};
