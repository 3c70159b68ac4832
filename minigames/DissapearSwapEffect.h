#pragma once
// The rectangle tile sum's exchange: both tiles shrink to nothing about
// their middles while they darken to black (fadeTime), the game commits the
// swap (the tiles change places), and both grow back and brighten
// (fadeTime): 800 ms in all, with the sound "MG_RECTANGLETILESUM_SWAP" at
// the start.
//
// Both phases are built as action trees when the exchange starts (replacing
// the previous ones) and run on the time given to update().
#include "engine/anim/ActionListener.h"
#include "minigames/TileSwapEffect.h"

#include <memory>

class Action;

class DissapearSwapEffect : public TileSwapEffect, public ActionListener {
public:
    static constexpr int OutActionId = 0;
    static constexpr int InActionId = 1;

    DissapearSwapEffect();
    ~DissapearSwapEffect() override;

    // Keeps the tiles and the listener, builds both phases, starts the
    // vanishing, tells the listener onSwapStarted and plays the sound.
    void start(TileWidget* a, TileWidget* b, TileSwapListener* listener) override;
    // The growing phase first, then the vanishing one: a growing phase
    // started by this call's end of the vanishing gets its time next call.
    void update(int dt) override;
    // 0: both tiles vanished: commit, then they grow back. 1: finished.
    void onActionFinished(int32_t id) override;

    bool isRunning() const;
    int getFadeTime() const { return fadeTime; }

private:
    // Scale by `scaleDelta` and the tint's colour bytes by 255 (up when
    // `brighten`), on both tiles, over fadeTime.
    std::unique_ptr<Action> buildPhase(float scaleDelta, bool brighten);

    TileSwapListener* listener = nullptr;  // not owned
    TileWidget* tileA = nullptr;           // not owned
    TileWidget* tileB = nullptr;           // not owned
    std::unique_ptr<Action> outAction;
    std::unique_ptr<Action> inAction;
    int fadeTime = 400;
};
