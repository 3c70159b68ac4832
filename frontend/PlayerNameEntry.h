#pragma once
// The small dialog in which the player types a profile name and, for a new
// profile, picks the play mode (CASUAL or FEARLESS), over the profiles menu
// that opened it. An opening clip draws the panel; then the title, a
// description, the name field with its blinking caret, the two mode boxes
// (exactly one checked) with the chosen mode's description, OK and CANCEL.
//
// Create mode (the name buffer handed over is empty): the field shows the
// "ENTER_YOUR_NAME" placeholder, cleared by the first click. Rename mode: the
// field shows the name and the mode boxes are disabled. The field takes keys
// once clicked; names stop at "PlayerName.Length" characters (16 when the
// key is missing or not positive). An empty name, or one of spaces only,
// disables OK (the placeholder's clearing counts as an edit). OK, or Enter,
// accepts a name that is neither blank, nor the placeholder, nor the exact
// name of an existing profile (a rename must change the name): it writes the
// name and the mode (0 casual, 1 fearless) into the caller's buffers and
// closes with code 1. CANCEL
// writes nothing and closes with 2 (disabled while no profile exists). A
// refused name does nothing.
//
// It registers no pictures: it draws with the "PROF_" textures of the
// manager it is given (the profiles menu's, which lies below it while it is
// open). Buffers and manager are not owned and must outlive the screen.
#include "engine/ui/AnimationPlayerListener.h"
#include "engine/ui/CheckBoxListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "engine/ui/TextInputListener.h"

#include <memory>
#include <string>

class AnimationPlayer;
class CustomCheckBox;
class QuarnButton;
class TextInputWidget;
class TextLabel;
class TextLabelEx;

class PlayerNameEntry : public ScreenBase,
                        public TextInputListener,
                        public QuarnButtonListener,
                        public AnimationPlayerListener,
                        public CheckBoxListener {
public:
    enum WidgetId { OkButton = 1, CancelButton = 2, CasualBox = 3, FearlessBox = 4 };
    enum CloseCode { AcceptedCode = 1, CancelledCode = 2 };
    static constexpr int DefaultNameLength = 16;
    static constexpr int DimAlpha = 150;

    PlayerNameEntry(std::string* nameBuffer, int* playModeBuffer, ResourceManager* profileTextures);
    ~PlayerNameEntry() override;

    // Enter accepts as OK does; every key then goes to the name field.
    void onKey(KeyEvent* event) override;

    void onTextChanged(const std::string& text, int id) override;
    void onButtonEvent(int id, int event) override;
    // 0: the widgets appear.
    void onAnimationFinished(int32_t id) override;
    void onCheckChanged(int id, bool checked) override;

    // Whether the field's text may become a profile name (see above).
    bool isNameValid() const;
    // The name limit from the tuning file.
    static int nameLength();

    bool isCreateMode() const { return createMode; }
    TextInputWidget* getField() const { return field; }
    QuarnButton* getOkButton() const { return okButton; }
    QuarnButton* getCancelButton() const { return cancelButton; }
    CustomCheckBox* getCasualBox() const { return casualBox; }
    CustomCheckBox* getFearlessBox() const { return fearlessBox; }
    TextLabelEx* getModeDescription() const { return modeDescription; }
    int panelX() const { return bgX; }
    int panelY() const { return bgY; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;
    virtual void buildWidgets();
    virtual void removeWidgets();

private:
    CustomCheckBox* addModeBox(int id, int x, const char* tooltip);
    TextLabel* addCaption(const char* labelId, int rightX);
    void accept();

    bool createMode;
    std::string* nameBuffer;          // not owned
    int* playModeBuffer;              // not owned
    ResourceManager* textures;        // not owned: the profiles menu's
    // Owned by the screen's widgets.
    CustomCheckBox* casualBox = nullptr;
    CustomCheckBox* fearlessBox = nullptr;
    TextLabel* title = nullptr;
    TextLabelEx* nameDescription = nullptr;
    TextLabelEx* modeDescription = nullptr;
    TextLabel* casualCaption = nullptr;
    TextLabel* fearlessCaption = nullptr;
    TextInputWidget* field = nullptr;
    QuarnButton* okButton = nullptr;
    QuarnButton* cancelButton = nullptr;
    std::unique_ptr<AnimationPlayer> player;
    int bgX = 0;
    int bgY = 0;
};
