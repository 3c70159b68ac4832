#pragma once
// The plain look that the game's simple screens share: a background (a
// picture or a flat fill), a centred title, lines of text and a centred row
// of captioned buttons. A screen keeps one layout as a member, attaches it in
// its build() and adds its widgets through it; the widgets go to the screen,
// which owns them.
//
// Pictures come from the screen's own resource manager by id (registered in
// its loadResources; one that failed to load counts as missing); fonts are the application-wide "FONT_TIMES36_NE"
// (titles), "FONT_TIMES24" (text) and "FONT_TIMES16" (button captions). Any
// of them may be missing (unit tests, content not generated): a button then
// draws a filled rectangle of its own size, and text without a font is not
// drawn. Nothing here fails.
#include "engine/core/Types.h"

#include <string>
#include <utility>
#include <vector>

class Font;
class GLTexture;
class Graphics;
class QuarnButton;
class QuarnButtonListener;
class ScreenBase;
class TextLabel;

class SimpleScreenLayout {
public:
    // Size of a button without a picture, and the gap between buttons in a row.
    static constexpr int DefaultButtonWidth = 205;
    static constexpr int DefaultButtonHeight = 48;
    static constexpr int ButtonGap = 24;
    // Fade between a button's looks, ms.
    static constexpr int ButtonFadeMs = 300;

    // One button of a row: its id (reported to the listener) and caption.
    using RowButton = std::pair<int, std::string>;

    // Binds the layout to the screen and looks up the pictures named here in
    // its resource manager (an empty id or an id not registered gives none)
    // and the application fonts. Call from the screen's build().
    void attach(ScreenBase* screen, const std::string& backgroundId, const std::string& buttonNormalId,
                const std::string& buttonOverId);

    // A title line centred across the window with its top at y.
    TextLabel* addTitle(const std::string& text, int y);
    // A line of text centred across the window with its top at y.
    TextLabel* addText(const std::string& text, int y);
    // A button with its top-left corner at (x, y), the size of the normal
    // button picture (or the default size without one).
    QuarnButton* addButton(QuarnButtonListener* listener, int id, const std::string& caption, int x, int y);
    // The buttons side by side, the row centred across the window, their
    // tops at y; returned in the given order.
    std::vector<QuarnButton*> addButtonRow(QuarnButtonListener* listener, const std::vector<RowButton>& buttons,
                                           int y);

    // The background picture at (0, 0), or `fill` over the whole window
    // without one. Usable before attach() (then it fills).
    void drawBackground(Graphics& g, Color fill) const;

    int buttonWidth() const;
    int buttonHeight() const;
    GLTexture* background() const { return backgroundTexture; }

    // The application's font under the id, or null when there is no
    // application, no manager or no such font. Not owned by the caller.
    static Font* applicationFont(const std::string& id);

private:
    TextLabel* addLine(const std::string& text, Font* font, int y);

    ScreenBase* screen = nullptr;          // not owned
    GLTexture* backgroundTexture = nullptr;  // not owned: the screen's manager
    GLTexture* buttonNormal = nullptr;       // not owned: the screen's manager
    GLTexture* buttonOver = nullptr;         // not owned: the screen's manager
    Font* titleFont = nullptr;               // not owned: the application's manager
    Font* textFont = nullptr;                // not owned
    Font* captionFont = nullptr;             // not owned
};
