#pragma once
// The connect-the-stars puzzle (quest 35): numbered stars lie on a night
// picture and the player joins them in their order, by clicking each next
// star or by dragging across them with the left button held. Each join
// shows the line from the previous star; a star taken out of turn shows red
// while the pointer is on it. A drag is followed in the frame's steps of
// about 5 pixels, so a quick stroke whose motion events jump over a star
// still joins it. When the last star is joined the face's
// outline fades in over 2000 ms, then the frame's finish follows (700 ms,
// then the finished message).
//
// The joining rules are StarChain; stars, lines and the outline come from
// the description file (FaceDrawingFile). Without stars the screen shows
// its background and can only be skipped; lines or an outline missing from
// the file are simply not shown.
//
// Tuning key "MgFaceDrawing.GameXmlFile". Pictures: the registered
// "MG_FACEDRAWING_*" textures, line k (from 1) "content/images/minigames/
// FaceDrawing/" + k with "Game.Images.Extension"; the font "FONT_STARS".
// Sounds "MG_FACEDRAWING_SELECTSTAR" (every press on a star),
// "MG_FACEDRAWING_CONNECTED" (a join), "MG_FACEDRAWING_FINISHED" (the
// last).
#include "minigames/MiniGameBase.h"
#include "minigames/StarChain.h"

#include <string>
#include <vector>

class Action;
class ImageWidget;
class StarWidget;

class MgFaceDrawing : public MiniGameBase {
public:
    static constexpr int OutlineFadeMs = 2000;

    explicit MgFaceDrawing(int questId);

    // The frame's first; then a press on star i takes it, a release lets
    // the red star go.
    void onButton(int id, int state) override;
    // 0: the outline is in; the frame's finish. 1122: the finished message.
    void onActionFinished(int32_t id) override;
    // The frame's first; then a press on stars plays the select sound, a
    // release lets the red star go, and a drag with the left button (alone)
    // takes the star under each step of the pointer.
    void onMouse(MouseEvent event) override;

    const StarChain& getChain() const { return chain; }
    const std::vector<StarWidget*>& getStars() const { return stars; }
    const std::vector<ImageWidget*>& getConnections() const { return connections; }
    ImageWidget* getOutline() const { return outline; }
    int getOutlineAlpha() const { return outlineAlpha; }
    // "joined=" the last star joined (-1 none) "/" the number of stars,
    // "red=" the red star or -1, "solved" once the last is joined.
    std::string puzzleState() const override;

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    void drawBackground(Graphics& g) override;
    // The outline fades in (action 0).
    void onSolved() override;
    // The first star starts pulsing.
    void onPlayStart() override;

private:
    void takeStar(int i);
    void releaseStar();
    // The first star (in order) under the point, or -1.
    int starAt(int x, int y) const;

    std::string imageExtension;
    StarChain chain;
    std::vector<StarWidget*> stars;          // owned by the screen
    std::vector<ImageWidget*> connections;   // owned by the screen
    ImageWidget* outline = nullptr;          // owned by the screen; may be null
    int outlineAlpha = 0;
    Action* outlineFade = nullptr;           // owned by the frame's actions
};
