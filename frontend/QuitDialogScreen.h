#pragma once
// The quit confirmation, over whatever is on screen (dimmed). "Yes" ends the
// game: the application's quit is marked requested and the main loop ends
// after the current frame (the dialog stays until then). "No" closes the
// dialog with code 0 and it pops itself, so play goes on below it.
//
// When `app` is the game application, the dialog marks the application's
// quit dialog as open from its construction until it is declined or deleted,
// so that further quit requests do not open a second one.
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/SimpleScreenLayout.h"

class AppContext;

class QuitDialogScreen : public ScreenBase, public QuarnButtonListener {
public:
    enum ButtonId { NoButton = 0, YesButton = 1 };
    static constexpr int DeclinedCode = 0;

    // `app` is the application whose quit flags "Yes" sets; not owned, may be
    // null (then "Yes" does nothing).
    explicit QuitDialogScreen(AppContext* app);
    // Clears the game application's quit-dialog flag.
    ~QuitDialogScreen() override;

    // QuarnButtonListener: clicks (event 1) on "Yes" and "No".
    void onButtonEvent(int id, int event) override;

protected:
    void loadResources() override;
    void build() override;
    // A veil of black at alpha 170 over the screens below.
    void drawBackground(Graphics& g) override;
    // Pops the dialog whatever the code.
    void onClosed(int resultCode) override;

private:
    AppContext* app;  // not owned
    SimpleScreenLayout layout;
};
