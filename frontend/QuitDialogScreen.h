#pragma once
// The quit confirmation over whatever is on screen: a black veil at alpha
// 170 over everything below, and the universal yes/no question
// ("EXIT_GAME", "MESSAGE_QUIT"). "Yes" ends the game: the application's quit
// is marked requested and the main loop ends after the current frame (the
// dialog stays until then; the application's exit saves). "No" closes the
// screen with code 0 and it pops itself, so play goes on below it.
//
// When `app` is the game application, the dialog marks the application's
// quit dialog as open from its construction until it is declined or deleted,
// so that further window-close requests open no second one.
//
// The question opens at once when its opening clip cannot be played (the
// message dialog's own rule), so a missing clip never leaves a dialog that
// can neither be answered nor closed.
#include "engine/ui/MessageQuestionDialogListener.h"
#include "engine/ui/ScreenBase.h"
#include "engine/ui/SimpleButtonListener.h"

class AppContext;
class MessageQuestionDialogSimple;

class QuitDialogScreen : public ScreenBase, public SimpleButtonListener, public MessageQuestionDialogListener {
public:
    static constexpr int DeclinedCode = 0;
    static constexpr int VeilAlpha = 170;

    // `app` is the application whose quit flags "Yes" sets; not owned, may be
    // null (then "Yes" does nothing).
    explicit QuitDialogScreen(AppContext* app);
    // Clears the game application's quit-dialog flag.
    ~QuitDialogScreen() override;

    // SimpleButtonListener: nothing.
    void onButton(int id, int event) override;
    // 1 (yes): the quit now; any other answer (0 no, -1 none): the flag
    // cleared and the screen closed.
    void onAnswer(int32_t id, int32_t answer) override;

    // The question on screen; null before build.
    MessageQuestionDialogSimple* getQuestion() const { return question; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    // Pops the dialog whatever the code.
    void onClosed(int resultCode) override;
    // Adds the question to the screen.
    virtual void showQuestion();

private:
    AppContext* app;                               // not owned
    MessageQuestionDialogSimple* question = nullptr;  // owned by the screen's widgets
};
