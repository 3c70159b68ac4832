#pragma once
// Everything a message dialog shows, given in one record and copied by the
// dialog at construction (MessageDialogSimple, MessageQuestionDialogSimple).
// Nothing in it is owned: textures, fonts and sounds belong to the caller's
// resource managers and must outlive the dialog.
//
// Positions: the dialog position (x, y) is where both animations are played
// and the origin of the text box, the title and the decoration. Button
// positions are screen coordinates; -1 in either coordinate lets the dialog
// compute the place below its panel.
#include "engine/core/Types.h"
#include <cstdint>
#include <string>

class Font;
class GLTexture;
class Sound;

struct MessageDialogDesc {
    // Animation files played when the dialog opens and when it closes
    // (content/animations/...). A file that cannot be loaded does not stop
    // the dialog: it opens or closes at once instead.
    std::string openAnimation;
    std::string closeAnimation;
    std::string text;
    // Drawn in capitals.
    std::string title;
    // Captions of the confirming (or yes) button and of the no button; only
    // drawn when buttonFont is set.
    std::string firstCaption;
    std::string secondCaption;

    // Horizontal alignment of the text in its box: 1 right, 2 centre,
    // anything else left. The text is always centred vertically.
    int32_t textAlignment = 0;
    // Without a text font no text, title or decoration is drawn.
    Font* textFont = nullptr;
    // Null: the text font.
    Font* titleFont = nullptr;

    // Relative to the dialog position. A width of -1 means no box: the text
    // is drawn from (dialog x + 100, dialog y + 100).
    WidgetGeometry textBox{-1, -1, 0, -1, -1};
    int32_t x = -1;
    int32_t y = -1;
    int32_t firstButtonX = -1;
    int32_t firstButtonY = -1;
    int32_t secondButtonX = -1;
    int32_t secondButtonY = -1;
    // Offset of the title from the dialog position.
    int32_t titleX = 150;
    int32_t titleY = 37;
    // Size of the panel picture, for the callers' own layout; the dialogs
    // take their size from the animations and do not read these.
    int32_t panelWidth = -1;
    int32_t panelHeight = -1;

    // Drawn above the panel's top edge, at (dialog x + 354, dialog y - 79).
    GLTexture* decoration = nullptr;
    // The buttons' own sounds, played while the game's named effects are not
    // loaded.
    Sound* pressSound = nullptr;
    Sound* hoverSound = nullptr;
    // Pictures drawn over the first (confirming or yes) and second (no)
    // button, 15 pixels right and 6 down from its corner.
    GLTexture* firstOverlay = nullptr;
    GLTexture* secondOverlay = nullptr;
    // The pictures of every button; the normal one gives the buttons their
    // size.
    GLTexture* buttonNormal = nullptr;
    GLTexture* buttonOver = nullptr;
    // A question dialog's yes (first) and no (second) button use their own
    // pair instead of the shared one, without a caption, when both pictures
    // of the pair are set. The confirming button of a simple dialog uses the
    // first pair only when no shared picture is given.
    GLTexture* firstButtonNormal = nullptr;
    GLTexture* firstButtonOver = nullptr;
    GLTexture* secondButtonNormal = nullptr;
    GLTexture* secondButtonOver = nullptr;
    Font* buttonFont = nullptr;

    Color textColor{255, 255, 255, 255};
    // Wrap the text to the box width (once, when the dialog is made).
    bool wrap = true;
};
