#pragma once
// One character of a conversation: its boxes for the line and the name, the
// place where its four animations play (entry, begin talk, end talk, leave,
// under the player ids 4 x id + kind), and the line it is saying.
//
// Saying a line types it in step with its voice: the voice effect named by
// the line's label plays, and one more byte shows every voice length /
// (bytes + 100) ms, so the text is complete before the voice ends; a line
// without a voice shows whole at once. Ending the talk plays the end-talk
// animation and fades the text out over 500 ms, then waits half the
// end-talk animation's length. The timers run on the game clock and move
// when poll() is called; a paused game pauses the typing.
//
// A character shows at most one of its animations at a time. Its player
// and screen are the conversation's (not owned); without them it plays no
// animation. Its text is drawn by the screen while it speaks.
#include "engine/anim/ActionListener.h"
#include "engine/core/Types.h"

#include <cstdint>
#include <memory>
#include <string>

class Action;
class AnimationPlayer;
class DialogCharacterSet;
class Font;
class Graphics;
class ScreenBase;
struct DialogStep;

class DialogCharacter : public ActionListener {
public:
    enum Kind { EntryKind = 0, BeginTalkKind = 1, EndTalkKind = 2, LeaveKind = 3, KindCount = 4 };
    static constexpr int FadeMs = 500;

    explicit DialogCharacter(DialogCharacterSet* owner);
    ~DialogCharacter() override;
    DialogCharacter(const DialogCharacter&) = delete;
    DialogCharacter& operator=(const DialogCharacter&) = delete;

    // Where its animations play from now on (both not owned; null: none).
    void attach(AnimationPlayer* player, ScreenBase* screen);
    // The id of its animation of that kind in the player.
    int animationId(int kind) const { return 4 * id + kind; }

    // Plays the kind's animation at the character's place, after taking
    // its other animations off the screen.
    void playAnimation(int kind);
    // Says the step's line with the voice named by its label; plays the
    // begin-talk animation when asked.
    void say(DialogStep* step, bool beginTalk);
    // The same with a voice of `voiceMs` (0: no voice, the line shows whole);
    // `playVoice` plays the effect.
    void sayWithVoice(DialogStep* step, bool beginTalk, unsigned voiceMs, bool playVoice);
    // Stops the typing and voice of an unfinished line, plays the end-talk
    // animation and fades the text out.
    void endTalk();
    // Advances the current timer by the game clock.
    void poll();
    // Its line and name, in the colour with the text alpha: the line in
    // "FONT_JESTER16" in the text box (left, centred down, wrapped), the name
    // upper-cased in "FONT_TIMES24" centred in the name box.
    void drawText(Color colour, Graphics& g) const;
    // Stops its four animations and takes them off the screen.
    void releaseAnimations();

    // The typing tick (id 0).
    void onActionFinished(int32_t actionId) override;

    // Moves the character and its boxes (a dialog's Reposition entry).
    void reposition(int x, int y);
    bool isTyping() const;

    int id = -1;
    std::string name;
    WidgetGeometry textBox;
    WidgetGeometry nameBox;
    int posX = 0;
    int posY = 0;
    std::string animationPaths[KindCount];

    const std::string& getLine() const { return line; }
    const std::string& getShownText() const { return shown; }
    int getTextAlpha() const { return textAlpha; }
    int getTypedCount() const { return typed; }
    bool isOnScreen(int kind) const { return onScreen[kind]; }
    const DialogStep* getCurrentStep() const { return currentStep; }
    Action* getCurrentAction() const { return action.get(); }

private:
    void stopLine();

    std::string line;
    std::string shown;
    AnimationPlayer* player = nullptr;  // not owned
    int32_t textAlpha = 255;
    int32_t typed = 0;
    DialogCharacterSet* set;           // not owned
    // The application's fonts, taken at construction (null without them).
    Font* lineFont;
    Font* nameFont;
    ScreenBase* screen = nullptr;      // not owned
    bool onScreen[KindCount] = {};
    std::unique_ptr<Action> action;
    DialogStep* currentStep = nullptr;  // not owned
};
