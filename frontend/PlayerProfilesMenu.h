#pragma once
// The dialog in which the player picks, creates, renames and deletes
// profiles, over the dimmed screen that opened it (the main menu). An opening
// clip draws the panel; then the list of profile names, CREATE, RENAME,
// DELETE, OK and two scroll arrows appear. Every change goes straight to
// PlayerProfiles.
//
// CREATE and RENAME open the name entry (PlayerNameEntry) on top, handing it
// `nameBuffer` (empty to create, the selected name to rename) and
// `playModeBuffer`; when the entry has gone, activate() reads both and acts
// as if OK had been pressed, so confirming or cancelling the entry closes
// this menu too. The hand-back runs once per entry opened: activate() also
// runs when a pause screen or the quit dialog pops, and must then do nothing.
// DELETE asks first (yes/no). With no profile at all the name entry opens
// by itself and cannot be cancelled.
//
// OK makes the selected line's profile current, takes the widgets off
// (they stay owned by the screen), plays the closing clip and then closes
// with code 3; the screen pops itself.
#include "engine/core/Types.h"
#include "engine/ui/AnimationPlayerListener.h"
#include "engine/ui/MessageQuestionDialogListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "engine/ui/SimpleTextListListener.h"

#include <memory>
#include <string>
#include <vector>

class AnimationPlayer;
class ImageWidget;
class MessageQuestionDialogSimple;
class QuarnButton;
class SimpleTextListWidget;
class TextLabel;
class Widget;

class PlayerProfilesMenu : public ScreenBase,
                           public SimpleTextListListener,
                           public QuarnButtonListener,
                           public AnimationPlayerListener,
                           public MessageQuestionDialogListener {
public:
    enum ButtonId { CreateButton = 0, RenameButton = 1, DeleteButton = 2, OkButton = 3, UpButton = 4, DownButton = 5 };
    enum EntryMode { NoEntry = 0, CreateEntry = 1, RenameEntry = 2 };
    enum ClipId { OpenClip = 0, CloseClip = 1 };
    static constexpr int ClosedCode = 3;
    static constexpr int DimAlpha = 128;

    PlayerProfilesMenu();
    ~PlayerProfilesMenu() override;

    // The keyboard does nothing here.
    void onKey(KeyEvent* event) override;
    // Uncovered: the hand-back of the name entry (see above), once.
    void activate(GameApp* app) override;

    void onLineSelected(int id, int index) override;
    // Releases (event 1) of the six buttons.
    void onButtonEvent(int id, int event) override;
    // 0: the widgets appear; 1: the menu closes.
    void onAnimationFinished(int32_t id) override;
    // Yes (1) to the delete question deletes the selected profile.
    void onAnswer(int32_t id, int32_t answer) override;

    // The channel to the name entry (see above).
    std::string nameBuffer;
    int playModeBuffer = -1;

    int getEntryMode() const { return entryMode; }
    SimpleTextListWidget* getList() const { return list; }
    QuarnButton* getButton(int id) const;
    MessageQuestionDialogSimple* getDeleteQuestion() const { return deleteQuestion; }
    // Top-left corner of the panel.
    int panelX() const { return bgX; }
    int panelY() const { return bgY; }
    // Whether the widgets are on the widget manager (between the opening
    // clip's end and OK).
    bool isOpen() const;

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onEntered() override;
    void onClosed(int resultCode) override;

private:
    void buildWidgets();
    QuarnButton* addButton(int id, const char* caption, const char* tooltip, int x, int y, const char* normal,
                           const char* over, const char* pressed, const WidgetGeometry& captionBox);
    void openNameEntry(int mode);
    void pressOk();
    void askDelete();

    SimpleTextListWidget* list = nullptr;
    int entryMode = NoEntry;
    // Owned by the screen's widgets; kept for taking them off and back.
    QuarnButton* buttons[6] = {};
    std::unique_ptr<AnimationPlayer> player;
    ImageWidget* background = nullptr;
    TextLabel* title = nullptr;
    MessageQuestionDialogSimple* deleteQuestion = nullptr;
    int bgX = 0;
    int bgY = 0;
};
