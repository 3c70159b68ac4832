#pragma once
// The screen a conversation (MyDialog) plays on, with the continue button
// (bottom right) that ends a step waiting for a click.
//
// Two ways to run, chosen by `overlay` (a flow entry's "noPushOnLeave"):
//  - full screen: the dialog's background (or nothing) fills the window; at
//    the end the screen closes at once;
//  - overlay: the screens below stay visible, darkened by a fill of
//    (40, 20, 25) rising to alpha 179 over 500 ms; at the end the dim falls
//    back over 500 ms, then the screen closes.
// Leaving (after the out-transition, a 500 ms fade unless the opener
// replaces it), the screen pops itself, tells its listener (when it has one)
// its id, and then, unless it is an overlay, moves the game flow on
// (GameFlow::nextScreen(true)) and shows that screen, or a new main menu
// when the flow has none.
#include "engine/anim/ActionListener.h"
#include "engine/ui/AnimationPlayerListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/DialogListener.h"

#include <memory>
#include <string>

class Action;
class AnimationPlayer;
class DialogScreenListener;
class MyDialog;
class QuarnButton;

class DialogScreen : public ScreenBase,
                     public DialogListener,
                     public AnimationPlayerListener,
                     public ActionListener,
                     public QuarnButtonListener {
public:
    enum ButtonId { ContinueButton = 1 };
    static constexpr int ClosedCode = 0;
    static constexpr int FadeMs = 500;
    static constexpr int DimAlpha = 179;

    // `listener` is not owned and may be null; it must outlive the screen.
    DialogScreen(int screenId, const std::string& dialogPath, DialogScreenListener* listener, bool overlay);
    ~DialogScreen() override;

    // The continue button: visible, on top and enabled / hidden and disabled.
    void showContinueButton();
    void hideContinueButton();

    // The conversation has no more steps.
    void onDialogFinished(int id) override;
    // A release (event 1) of the continue button.
    void onButtonEvent(int id, int event) override;
    // The dim has faded out (id 0): the overlay closes.
    void onActionFinished(int32_t id) override;
    // The characters' clips report nothing the screen acts on.
    void onAnimationFinished(int32_t id) override;

    int getScreenId() const { return screenId; }
    const std::string& getDialogPath() const { return dialogPath; }
    DialogScreenListener* getListener() const { return listener; }
    bool isOverlay() const { return overlay; }
    bool isNoPushOnLeave() const { return overlay; }
    int getDimAlpha() const { return dimAlpha; }
    MyDialog* getDialog() const { return dialog; }
    QuarnButton* getContinueButton() const { return continueButton; }
    AnimationPlayer* getPlayer() const { return player.get(); }

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    void drawOverlay(Graphics& g) override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    void startDim(int target, ActionListener* whenDone);

    std::string dialogPath;
    MyDialog* dialog = nullptr;  // owned by the screen's widgets
    std::unique_ptr<AnimationPlayer> player;
    int screenId;
    DialogScreenListener* listener;  // not owned
    QuarnButton* continueButton = nullptr;  // owned by the screen's widgets
    bool overlay;
    int32_t dimAlpha = 0;
    std::unique_ptr<Action> dim;
};
