#pragma once
// The description of a QuarnButton: caption placement, the cross-fade time
// and four looks, one per button state (normal, hovered, pressed, disabled).
// Every button copies its description; nothing in it is owned (textures and
// fonts belong to resource managers).
//
// The saved colours are the looks' colours as given, for each look its text
// colour then its fill colour. A button fades by changing the alphas of the
// look colours in its own copy and puts them back from the saved colours.
#include "engine/core/Types.h"
#include <cstdint>
#include <vector>

class Font;
class GLTexture;

struct ButtonDesc {
    enum LookIndex : int { NormalLook = 0, HoveredLook = 1, PressedLook = 2, DisabledLook = 3, LookCount = 4 };

    // How a button looks in one state.
    struct Look {
        Color fill;
        Color text;
        // Drawn at (placement.x, placement.y) in the fill colour; without one
        // a rectangle inset by placement.x, placement.y is filled and outlined.
        GLTexture* texture = nullptr;
        WidgetGeometry placement;
        // Compared, not drawn.
        int32_t extra = 0;
        // Caption font of this look; no caption text is drawn without one.
        Font* font = nullptr;

        Look() = default;
        // Every field, in order.
        Look(Color fill, Color text, GLTexture* texture, const WidgetGeometry& placement, int32_t extra, Font* font);
        // Fill, text, texture, insets and font; `extra` 0.
        Look(Color fill, Color text, GLTexture* texture = nullptr, const WidgetGeometry& insets = WidgetGeometry(),
             Font* font = nullptr);

        // Equal when both colours, texture, placement, extra and font are.
        bool operator==(const Look& other) const;
        bool operator!=(const Look& other) const { return !(*this == other); }
    };

    // Alignments 0 and 2, no caption box, no fade, four default looks.
    ButtonDesc();
    // Alignments 0 (horizontal) and 2 (vertical), a zero caption box, the
    // four looks and the fade time; then saves the colours.
    ButtonDesc(const Look& normal, const Look& hovered, const Look& pressed, const Look& disabled, int fadeTimeMs);

    // Takes the looks' current colours as the saved colours. Call it after
    // changing a look's colours directly.
    void saveColors();
    // Puts the saved colours back into the looks.
    void restoreColors();
    // The saved text / fill colour of a look.
    Color savedText(int look) const;
    Color savedFill(int look) const;

    // Alignment codes of Font::drawTextInBoxRuns.
    int32_t hAlign = 0;
    int32_t vAlign = 2;
    // Caption box relative to the button.
    WidgetGeometry captionBox;
    int32_t fadeTime = 0;
    Look looks[LookCount];
    std::vector<Color> savedColors;
};
