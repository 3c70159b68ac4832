#pragma once
// A conversation played on a DialogScreen: read from a dialog file (see
// DialogFile) with its characters file, it runs its steps one after another
// (a character enters, talks or leaves; a step ends after its timeout or,
// for a click step, when the screen's continue button asks it to) and then
// calls onFinished() once. The widget draws nothing itself: the screen draws
// the background and the speaker's text.
//
// A new dialog is paused; its owner adds it to the screen and clears the
// paused flag, and the first step starts at the next update. The typing and
// fading timers of the characters run on the game clock; the steps' time is
// the frame time given to update().
//
// Bad data never stops the game: a file that cannot be read, or has no
// sequence, gives an empty conversation that finishes at its first update;
// a Reposition entry or a step naming no known character is skipped (the
// step still runs); a Talk's text is the label's, with "%s" replaced by the
// current player's name (none: empty) and "%%" by "%".
//
// The dialog owns its characters, its steps and a resource manager of its
// own (from the application when it offers one) holding the background.
#include "engine/ui/Widget.h"
#include "frontend/DialogFile.h"

#include <cstdint>
#include <memory>
#include <string>

class AnimationPlayer;
class DialogCharacterSet;
class DialogSequence;
class GLTexture;
class ResourceManager;
struct DialogStep;

class Dialog : public Widget {
public:
    // Builds from the file (see above); `player` and `screen` (not owned)
    // are where the characters' animations play.
    Dialog(const std::string& path, AnimationPlayer* player, ScreenBase* screen);
    // The same from a description already read (tests, other sources).
    Dialog(const DialogFile::Conversation& conversation, AnimationPlayer* player, ScreenBase* screen);
    ~Dialog() override;

    // Polls the characters' timers, then runs the steps by dt.
    void update(int dt, ScreenBase* screen) override;

    // Drawn by the screen while the dialog waits for a click.
    virtual void drawWaitingMark(Graphics& g) = 0;
    // The sequence has run out (called once).
    virtual void onFinished() = 0;
    // Puts the current player's name in place of "%s" and "%" in place of
    // "%%"; any other '%' stays as it is.
    virtual void formatText(std::string& text);

    // The continue button was released: a running dialog waiting for a click
    // ends its step at the next update.
    void requestAdvance();
    void setPaused(bool on) { paused = on ? 1 : 0; }

    bool isPaused() const { return paused != 0; }
    bool isWaiting() const { return waiting != 0; }
    bool isEnded() const { return ended != 0; }
    // The speaking character's id, -1 when nobody speaks.
    int speaker() const { return speakerId; }
    DialogCharacterSet* getCharacters() const { return characters.get(); }
    DialogSequence* getSequence() const { return sequence.get(); }
    const DialogStep* getCurrentStep() const { return currentStep; }
    GLTexture* getBackground() const { return background; }
    const std::string& getOpeningSound() const { return openingSound; }

    // "%s" and "%%" of `text` replaced (see formatText) with `name`.
    static std::string substituteName(const std::string& text, const std::string& name);

protected:
    // Builds the dialog from the description (the constructors' work).
    void build(const DialogFile::Conversation& conversation);

private:
    void nextStep();
    void showContinue(bool on);

    std::unique_ptr<DialogCharacterSet> characters;
    std::unique_ptr<DialogSequence> sequence;
    AnimationPlayer* player;  // not owned
    ScreenBase* screen;       // not owned
    uint8_t waiting = 0;
    uint8_t paused = 1;
    uint8_t ended = 0;
    DialogStep* currentStep = nullptr;  // owned by the sequence
    int32_t stepTimeout = 0;
    int32_t elapsed = 0;
    int32_t speakerId = -1;
    GLTexture* background = nullptr;  // owned by `resources`
    int32_t resourceIndex = -1;
    ResourceManager* resources = nullptr;
    std::unique_ptr<ResourceManager> ownResources;
    std::string openingSound;
};
