#pragma once
// The first screen when the configuration lists logo screens: it shows them
// one after another and then hands over to the start screen (the main menu).
//
// Per logo entry, in configuration order:
//  - "ANIMATION": the key-framed animation folder + filename, loaded into
//    the screen's player under the entry's index and played at 0, 0; its end
//    moves on to the next entry. A file that cannot be loaded is skipped.
//  - "IMAGE": the picture folder + filename drawn at 0, 0 for the tuning
//    value "LogoSeqManager.ImageTime" (milliseconds, default 3000), then the
//    next entry.
//  - any other type is skipped.
// After the last entry the screen closes (result 0, input off) in its next
// update; when it has left it pops itself and asks the application for its
// start screen. Both transitions are empty, so logos follow each other
// without fades.
#include "engine/ui/AnimationPlayerListener.h"
#include "engine/ui/ScreenBase.h"

#include <cstdint>
#include <memory>

class AnimationPlayer;
class GLTexture;

class LogoSeqManager : public ScreenBase, public AnimationPlayerListener {
public:
    static constexpr int DefaultImageTime = 3000;

    // Starts the first logo.
    LogoSeqManager();
    // Deletes the player (animations still on the screen go with it).
    ~LogoSeqManager() override;

    // The end of logo `id`'s animation: it is stopped and removed, and the
    // next logo starts.
    void onAnimationFinished(int32_t id) override;

    // Position of the logo being shown (-1 before the first; the number of
    // entries once all were shown).
    int currentIndex() const { return index; }
    AnimationPlayer* getPlayer() const { return player.get(); }

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    void drawBackground(Graphics& g) override;
    // Pops this screen, then shows the application's start screen.
    void onClosed(int resultCode) override;

private:
    // Moves on to the next entry that shows something, or marks the
    // sequence done.
    void advance();
    // Starts entry `index`; false when it shows nothing.
    bool startEntry();

    int index = -1;
    std::unique_ptr<AnimationPlayer> player;
    // The picture of an "IMAGE" logo while it is shown; owned by the
    // screen's resource manager.
    GLTexture* image = nullptr;
    int imageTimeLeft = 0;
    bool sequenceDone = false;
    bool closing = false;
};
