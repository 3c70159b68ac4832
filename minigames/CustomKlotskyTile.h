#pragma once
// A block of width x height cells drawn with a picture: key 0 is its
// normal look, key 1 (when it has one) the glow it shows while it stands
// where the solution wants it. A look chosen while the block slides is
// shown when the slide ends. The block is placed on the grid as given at
// construction (see KlotskyGrid::place); it never takes the pointer itself
// (the game picks blocks by hitTest). Textures are not owned.
#include "engine/core/Types.h"
#include "minigames/KlotskyGrid.h"
#include "minigames/KlotskyTile.h"

#include <map>

class GLTexture;

class CustomKlotskyTile : public KlotskyTile {
public:
    static constexpr int NormalKey = 0;
    static constexpr int GlowKey = 1;

    // Occupies its cells on the grid. Without a texture it is drawn as a
    // filled rectangle in its tint. `placedCleanly` (when given) tells
    // whether every cell was free and on the board.
    CustomKlotskyTile(KlotskyGrid* grid, int row, int column, int width, int height, GLTexture* texture,
                      bool* placedCleanly = nullptr);

    bool canMoveTo(int row, int column) const override;
    bool occupy(int row, int column) override;
    bool covers(int row, int column) const override;
    // The normal look, then the slide.
    void slideTo(int x, int y) override;

    // The mapped look now, or when the slide ends; nothing for a key
    // without a texture.
    void setTexture(int key);
    void setKeyTexture(int key, GLTexture* texture);

    // A pending look first, then the slide.
    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    // With a texture: inside it and on a pixel with non-zero alpha. Without:
    // inside the widget (edges included).
    bool hitTest(int x, int y) override;

    int getWidthInCells() const { return block.width; }
    int getHeightInCells() const { return block.height; }
    GLTexture* getCurrentTexture() const { return texture; }
    // The key of the look shown (or about to be), -1 when unknown.
    int getShownKey() const;
    int getPendingKey() const { return pendingKey; }
    Color tint = Color::white();

private:
    KlotskyGrid::Block block;
    GLTexture* texture;                   // not owned
    std::map<int, GLTexture*> textures;   // not owned
    int pendingKey = -1;
};
