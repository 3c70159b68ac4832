#pragma once
// The small things every front-end screen does alike: label texts and
// application fonts by id, the captioned image buttons of the menus (four
// looks, white, "FONT_TIMES16" captions, "FONT_TRISK10" tooltips) and the
// yes/no question of the quit dialog and the profile deletion.
//
// Nothing here fails: without an application a label reads as the label
// table's "not found" text and a font is null (text then is not drawn).
#include "engine/core/Types.h"
#include "engine/ui/ButtonDesc.h"
#include "engine/ui/MessageDialogDesc.h"

#include <string>

class Font;
class GLTexture;
class QuarnButton;
class QuarnButtonListener;

class FrontendUi {
public:
    // Cross-fade between the looks of a menu button, ms.
    static constexpr int ButtonFadeMs = 300;

    // The text of the label, or LabelManager::notFoundText.
    static std::string label(const std::string& id);
    // The application's font under the id, or null.
    static Font* font(const std::string& id);
    // Width of the text in the font; 0 without a font.
    static int textWidth(Font* font, const std::string& text);

    // A description whose normal, hovered, pressed and disabled looks show
    // these textures (any may be null) in white with the caption in
    // "FONT_TIMES16", centred both ways in `captionBox`.
    static ButtonDesc buttonDesc(GLTexture* normal, GLTexture* over, GLTexture* pressed, GLTexture* disabled,
                                 const WidgetGeometry& captionBox);
    // A button with that description and caption at (x, y), sized to
    // `sizeOf` (0 x 0 without it), with the tooltip text in "FONT_TRISK10".
    // Not added to any screen: the caller owns it.
    static QuarnButton* makeButton(QuarnButtonListener* listener, int id, const ButtonDesc& desc,
                                   const std::string& caption, const std::string& tooltip, int x, int y,
                                   GLTexture* sizeOf);

    // The question dialog of the front end: the universal dialog clips, the
    // text of `textLabel` in "FONT_TIMES24_NE" centred in the box
    // (46, 71, 404 x 133), the title of `titleLabel` in "FONT_TIMES24"
    // centred over the window, the panel at (256, y), yes at (328, 444) and
    // no at (498, 444) with the given pictures and "YES" / "NO" captions in
    // "FONT_TIMES16".
    static MessageDialogDesc questionDesc(const std::string& titleLabel, const std::string& textLabel, int y,
                                          GLTexture* buttonNormal, GLTexture* buttonOver);
};
