#pragma once
// The frame under every puzzle minigame (the Mg... screens). It binds the
// screen to a quest, fades in and out, puts up the skip button (a
// CountdownButton, usable only once its countdown has run out) and the help
// button, opens the tutorial message when the fade-in ends, and owns the
// endings. A game derives from it, overrides only the hooks below and keeps
// its puzzle rules in a plain class of its own that tests use without a
// window (see MgCipherTiles and CipherRules, MgCastingSpells and
// StrokeCurve).
//
// Quest bookkeeping. Construction makes the minigame's quest current: when
// a current quest exists and its id is lower than the minigame's, that quest
// is completed first (QuestManager::completeCurrent); then, for a quest id
// that names a quest of the list, that quest becomes current and is marked
// open. An id outside the list changes nothing more; the game still runs.
//
// Endings (onClosed): 100 (solved) and 1000 (skipped) record the quest and
// pop the minigame, so that the screen below (the scene that opened it) runs
// again. Quests 27, 41 and 49 are not completed: they are bonus quests,
// recorded as the current profile's bonus flag 0, 1 or 2 instead (nothing is
// recorded when no profile is current). Every other quest id is completed
// (QuestManager::complete). A solved game (100 only) then, when the current
// profile plays in mode 1 (fearless), adds the tuning value
// "Points.MiniGame" to its score and records it in the high-score table.
// Any other code does nothing and leaves the minigame on the stack.
//
// The road of a game:
//   fade-in ("MiniGameBase.FadeInTransition" ms) -> tutorial message (77)
//   -> closed the first time: onPlayStart, the skip countdown runs
//   -> playing (help: onPlayPause, tutorial again, onPlayResume)
//   -> the game calls onSolved -> (default) scheduleFinish: 700 ms, then the
//      finished message (79) -> its OK closes with 100;
//   or skip (after the countdown): in fearless mode the question (78) first,
//      whose "yes" closes with 1000 and whose "no" resumes; otherwise 1000 at
//      once. The countdown stops for good when the finished message opens.
//      Escape presses the skip button once it can be used.
//   -> fade-out ("MiniGameBase.FadeOutTransition" ms) -> onClosed.
// Once the game is solved (markSolved, which a game calls at its winning
// move: first thing in its onSolved override, or before an animation of its
// own that comes ahead of onSolved; scheduleFinish calls it too), help, skip
// and Escape do nothing, so no message opens before the finished one and a
// solved game cannot be closed as skipped.
// One message is open at a time: when the finished message is due while a
// tutorial or skip question opened earlier is still open, it waits until
// that one is closed (a "yes" to the question then keeps the solved ending).
//
// Hooks for games (each game's build/onUpdate/loadResources call the
// frame's first):
//   loadResources  registerMiniGameBaseResources, then the game's own table
//   build          skip and help buttons; the game adds its widgets after
//   onUpdate       owned actions, then the queued blits; then the game's
//   drawBackground / drawOverlay   below / above the widgets
//   resetPuzzle    button 1001 (no game makes one); nothing by default
//   onSolved       the game's win; default scheduleFinish
//   onPlayStart    the tutorial closed the first time
//   onPlayPause    before the frame opens the tutorial (help) or the skip
//                  question over a running game
//   onPlayResume   after those close again
//   showTutorial   opens the tutorial message
//   puzzleState    a one-line description of the puzzle for the test driver
//   and the listener handlers onButton (SimpleButtonListener),
//   onActionFinished (ActionListener), onDialogClosed, onButtonEvent
//   (QuarnButtonListener) and onAnswer; an override calls the frame's for
//   the ids it does not handle itself.
//
// Ids the frame uses (games keep theirs below 1000 or away from these):
//   buttons 1000 skip, 1001 reset, 1002 help; dialogs 77 tutorial, 78 skip
//   question, 79 finished; action 1122 the finishing delay (the frame's
//   onActionFinished turns it into the finished message).
#include "engine/anim/ActionListener.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/MessageDialogSimpleListener.h"
#include "engine/ui/MessageQuestionDialogListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "engine/ui/SimpleButtonListener.h"
#include "minigames/BlitRecord.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class Action;
class CountdownButton;
class GLTexture;
class Image;
class QuarnButton;
class SimpleImageButton;
struct MessageDialogDesc;

class MiniGameBase : public ScreenBase,
                     public SimpleButtonListener,
                     public ActionListener,
                     public MessageDialogSimpleListener,
                     public QuarnButtonListener,
                     public MessageQuestionDialogListener {
public:
    // Close codes.
    static constexpr int SolvedCode = 100;
    static constexpr int SkippedCode = 1000;
    // Button, dialog and action ids of the frame.
    static constexpr int SkipButtonId = 1000;
    static constexpr int ResetButtonId = 1001;
    static constexpr int HelpButtonId = 1002;
    static constexpr int TutorialDialogId = 77;
    static constexpr int SkipQuestionId = 78;
    static constexpr int FinishedDialogId = 79;
    static constexpr int FinishDelayId = 1122;
    // Delay between onSolved (scheduleFinish) and the finished message, ms.
    static constexpr int FinishDelayMs = 700;
    // The quest whose game has no skip button.
    static constexpr int NoSkipQuest = 72;
    // Used when the tuning key is absent (with a warning), ms.
    static constexpr int DefaultFadeMs = 500;
    static constexpr int DefaultCountdownMs = 10000;
    // Points for a solved game when "Points.MiniGame" is absent: none, so a
    // missing tuning line never makes up a score.
    static constexpr int DefaultPoints = 0;
    // Motion events are cut into steps of about this many pixels.
    static constexpr int MotionStep = 5;

    // `questId` is copied.
    explicit MiniGameBase(int questId);
    ~MiniGameBase() override;

    int getQuestId() const { return questId; }
    // "Quest" followed by the id: the middle of the game's tuning keys and
    // label ids ("TUTORIAL_Quest17").
    const std::string& getQuestKey() const { return questKey; }
    // Quests recorded on the player's profile rather than completed.
    static bool isBonusQuest(int questId);

    // A motion event cut into steps of at most about MotionStep pixels:
    // n = trunc(length) / MotionStep events, each moving by (dx / n, dy / n)
    // and placed at the start plus i / n of the way, so the last lands on
    // the event's position. A motion shorter than one step (n = 0) comes back
    // unchanged, as one event.
    static std::vector<MouseEvent> splitMotion(const MouseEvent& motion);
    // One queued blit drawn into `target`: the record's channels of the
    // target become max(target - source, 0) (mode fast) or the source
    // (mode replace), see SDLImageGraphics::combineRegion.
    static void applyBlit(Image& target, const BlitRecord& record);
    // The text of a label id through the application's label table; without
    // an application, the table's not-found text.
    static std::string label(const std::string& id);

    // ScreenBase: Escape only (see above); no key reaches a widget.
    void onKey(KeyEvent* event) override;
    // Motion is cut (splitMotion) and remembered in lastMouseX/Y; every
    // event then goes to the widgets.
    void onMouse(MouseEvent event) override;
    // Widget input on again (a screen above may have closed with it off).
    void activate(GameApp* app) override;

    // SimpleButtonListener: clicks (state 1) on 1000 skip, 1001 reset,
    // 1002 help. Other ids and states are left to the game.
    void onButton(int id, int state) override;
    // ActionListener: 1122 opens the finished message.
    void onActionFinished(int32_t id) override;
    // 77 tutorial closed; 79 finished message confirmed (closes with 100).
    using MessageDialogSimpleListener::onDialogClosed;
    void onDialogClosed(int32_t id) override;
    // QuarnButtonListener: nothing in the frame.
    void onButtonEvent(int id, int event) override;
    // 78: yes (1) closes with 1000; anything else resumes the game.
    void onAnswer(int32_t id, int32_t answer) override;

    // What the test driver and logs show of the game; see puzzleState().
    virtual std::string puzzleState() const;

    // Read-outs of the frame's state (tests, the test driver).
    CountdownButton* getSkipButton() const { return skipButton; }
    SimpleImageButton* getHelpButton() const { return helpButton; }
    bool isTutorialSeen() const { return tutorialSeen; }
    bool isFinishedShown() const { return finishedShown; }
    // The game has been won (markSolved); help and skip do nothing.
    bool isSolved() const { return solved; }
    bool isPlayTimeRunning() const { return playTimeRunning; }
    // The id of the frame's message that is open (77, 78, 79), or 0.
    int getOpenDialog() const { return openDialog; }
    int getLastMouseX() const { return lastMouseX; }
    int getLastMouseY() const { return lastMouseY; }

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    // showTutorial.
    void onEntered() override;
    void onClosed(int resultCode) override;

    virtual void resetPuzzle();
    virtual void onSolved();
    virtual void onPlayStart();
    virtual void onPlayPause();
    virtual void onPlayResume();
    virtual void showTutorial();

    // The game is won: from now on help, skip and Escape do nothing. A game
    // calls it at its winning move when its own animation delays onSolved
    // or scheduleFinish; both of those count as won as well.
    void markSolved();
    // 700 ms (action 1122), then the finished message. A game whose
    // onActionFinished override handles its own ids passes 1122 on to the
    // frame's (or calls showFinishedDialog itself). Marks the game solved.
    void scheduleFinish();
    // The finished message (79), once per screen; the countdown stops. With
    // another message of the frame open it waits until that one is closed;
    // nothing once the screen is leaving.
    void showFinishedDialog();
    // The skip question (78).
    void askSkip();
    // The tutorial message (77) with this text (showTutorial passes the
    // quest's "TUTORIAL_" label).
    void openTutorial(const std::string& text);
    // Takes an action that is already started and updates it every frame
    // until the screen goes; finished actions stay in the list. Null is
    // ignored. Safe to call from an action's listener during the update.
    void addAction(std::unique_ptr<Action> action);
    // A brush stamp at (x, y): "MG_CASTINGSPELLS_BRUSH"'s alpha taken off
    // "MG_CASTINGSPELLS_BG"'s (fast clear), applied at the end of the next
    // update. Nothing when either texture is not registered.
    void queueBlit(int x, int y);
    // Queues any record into a texture's kept image (not owned; it must be
    // registered in this screen's manager).
    void queueBlit(GLTexture* target, const BlitRecord& record);
    // Drops the records not yet applied.
    void clearBlitQueue();
    // Puts the skip button and then the help button above every widget, so
    // that a game's pictures never cover them.
    void raiseFrameButtons();
    // A texture loaded from the file (a file that cannot be read gives the
    // texture's transparent fallback and one error line), added unnamed to
    // the screen's manager, which owns it.
    GLTexture* addImage(const std::string& path);
    // The same, registered in the screen's manager under its path (a
    // picture registered again replaces the old one, which is deleted).
    GLTexture* registerImage(const std::string& path);
    // A captioned button of the games (caption in "FONT_TIMES16", centred in
    // the box 1, 7, 204 x 34) with the registered looks `normalId` and
    // `overId`, its top-left corner at (x, y), sized to the normal look;
    // added to the screen, reporting to onButtonEvent.
    QuarnButton* addCaptionButton(int id, const std::string& normalId, const std::string& overId,
                                  const std::string& caption, int x, int y);
    // Tuning values that the game needs: the table's value, or `def` with a
    // warning naming the key when the table lacks it.
    static int requiredInt(const std::string& key, int def);
    // A count read with requiredInt (0 when missing), refused (0, with one
    // line naming the file and the key, see ContentBounds) when it is
    // negative or more than `max`.
    static int requiredCount(const std::string& key, int max);
    // The tuning file the keys come from, for lines about them.
    static std::string tuningFile();
    static bool requiredBool(const std::string& key, bool def);
    static std::string requiredString(const std::string& key, const std::string& def);
    // The application's logical size (1024 x 768 without an application).
    static int screenWidth();
    static int screenHeight();

    int questId;
    std::string questKey;
    int lastMouseX = 0;
    int lastMouseY = 0;
    // Widgets owned by the screen; the skip button is null for quest 72.
    CountdownButton* skipButton = nullptr;
    SimpleImageButton* helpButton = nullptr;
    // On while the player is at play (see onPlayPause and onPlayResume).
    bool playTimeRunning = false;

private:
    // Pauses the game and the countdown before a frame message.
    void pausePlay();
    // The countdown on again when a frame message closes, unless the
    // finished message has stopped it or waits to open.
    void resumeSkipCountdown();
    // Opens the finished message that waited for another one to close.
    void showPendingFinish();
    // Opens message 77 or 79 (title, text, title offset and text box).
    void openMessage(int dialogId, const std::string& title, const std::string& text, int titleShift,
                     const WidgetGeometry& textBox);
    // The layout the three messages share.
    MessageDialogDesc messageDesc(const std::string& title, const std::string& text, int titleShift,
                                  const WidgetGeometry& textBox) const;
    void recordQuest();
    // The solved game's points and high score (play mode 1 only).
    void awardPoints();
    void flushBlits();

    bool tutorialSeen = false;
    bool escapeLatch = false;
    bool finishedShown = false;
    bool solved = false;
    // The finished message is due and waits for an open message to close.
    bool finishPending = false;
    int openDialog = 0;
    std::vector<std::unique_ptr<Action>> actions;
    // Destination texture (not owned) -> records in order.
    std::map<GLTexture*, std::vector<BlitRecord>> blitQueue;
};
