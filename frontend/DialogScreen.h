#pragma once
// A story conversation, in its simple form: the dialog's file name and a
// "Continue" button.
//
// Two ways to run, chosen by `noPushOnLeave`:
//  - clear: a full screen; on leaving it continues the game flow (the next
//    entry: GameFlow::nextScreen(true)) and shows that screen (the main menu
//    when the flow has none);
//  - set: an overlay that dims the screens below (black at alpha 179); on
//    leaving nothing more happens, so the screen below runs again.
// Either way, on leaving it first pops itself and then tells its listener
// (when it has one) its screen id.
//
// Fades: 500 ms in and out; an opener may replace them before showing it.
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/SimpleScreenLayout.h"

#include <string>

class DialogScreenListener;

class DialogScreen : public ScreenBase, public QuarnButtonListener {
public:
    enum ButtonId { ContinueButton = 0 };
    static constexpr int ContinueCode = 0;
    static constexpr int FadeMs = 500;
    static constexpr int VeilAlpha = 179;

    // `listener` is not owned and may be null; it must outlive the dialog.
    DialogScreen(int screenId, const std::string& dialogPath, DialogScreenListener* listener, bool noPushOnLeave);

    // QuarnButtonListener: a click (event 1) on "Continue" closes the dialog.
    void onButtonEvent(int id, int event) override;

    int getScreenId() const { return screenId; }
    const std::string& getDialogPath() const { return dialogPath; }
    DialogScreenListener* getListener() const { return listener; }
    bool isNoPushOnLeave() const { return noPushOnLeave; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    int screenId;
    std::string dialogPath;
    DialogScreenListener* listener;  // not owned
    bool noPushOnLeave;
    SimpleScreenLayout layout;
};
