#pragma once
// Stand-ins for the button tests: a font with fixed advances that records
// (and, for screenshots, sketches) what it draws, game services that record
// named sounds, a sound that counts its plays, and one listener for every
// button interface writing "id event" lines into a shared log.
#include "engine/audio/Sound.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/CheckBoxListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/SimpleButtonListener.h"
#include "engine/ui/UiServices.h"
#include <functional>
#include <string>
#include <vector>

inline std::string colourText(Color c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," + std::to_string(c.a);
}

// Every byte is `advance` pixels wide. With `sketch` set, drawing puts one
// filled block per character (advance - 2 wide, line height - 2 high) in the
// text colour, so captions show in read-backs without a real font.
class ButtonFont : public Font {
public:
    explicit ButtonFont(int height = 12, int charAdvance = 8) : advance(charAdvance) { lineHeight = height; }

    int advance;
    bool sketch = false;
    std::vector<std::string> calls;

    int textWidth(const std::string& text) const override { return static_cast<int>(text.size()) * advance; }
    void drawTextInBox(ImageGraphics*, const WidgetGeometry&, const std::string&, Color, int, int, bool,
                       const uint8_t*) override
    {
    }
    void drawText(ImageGraphics*, int, int, const std::string&, Color, const uint8_t*) override {}
    void drawTextInBoxRuns(Graphics& g, const WidgetGeometry& box, const std::string& text, Color c, int hAlign,
                           int vAlign, bool wrap) override
    {
        calls.push_back("box " + std::to_string(box.x) + " " + std::to_string(box.y) + " " + std::to_string(box.z) +
                        " " + std::to_string(box.w) + "x" + std::to_string(box.h) + " '" + text + "' " +
                        colourText(c) + " h" + std::to_string(hAlign) + " v" + std::to_string(vAlign) +
                        (wrap ? " wrap" : " nowrap"));
        if (sketch) {
            const int x = box.x + (hAlign == 2 ? (box.w - textWidth(text)) / 2 : 0);
            const int y = box.y + (vAlign == 2 ? (box.h - lineHeight) / 2 : 0);
            blocks(g, x, y, text, c);
        }
    }
    void drawRun(Graphics& g, int x, int y, const std::string& text, Color c) override
    {
        calls.push_back("run " + std::to_string(x) + " " + std::to_string(y) + " '" + text + "' " + colourText(c));
        if (sketch)
            blocks(g, x, y, text, c);
    }
    void reloadGpu() override {}
    void releaseGpu() override {}
    void wrapText(const std::string& text, std::string& out, int) const override { out = text; }

private:
    void blocks(Graphics& g, int x, int y, const std::string& text, Color c)
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != ' ')
                g.fillRect(x + static_cast<int>(i) * advance + 1, y + 1, advance - 2, lineHeight - 2, c);
        }
    }
};

// Installs itself as the game's UI services for its lifetime and records the
// named effects it is asked to play.
class ButtonServices : public UiServices {
public:
    explicit ButtonServices(Font* tooltip = nullptr, bool soundsAreLoaded = true)
        : tooltip(tooltip), loaded(soundsAreLoaded)
    {
        setUiServices(this);
    }
    ~ButtonServices() override { setUiServices(nullptr); }
    ButtonServices(const ButtonServices&) = delete;
    ButtonServices& operator=(const ButtonServices&) = delete;

    bool soundsLoaded() const override { return loaded; }
    void playNamed(const std::string& name) override { played.push_back(name); }
    Font* tooltipFont() override { return tooltip; }
    Font* listFont() override { return nullptr; }
    Font* inputFont() override { return nullptr; }

    Font* tooltip;
    bool loaded;
    std::vector<std::string> played;
};

// Counts its plays; never sounds.
class CountingSound : public Sound {
public:
    int plays = 0;
    int play() override
    {
        ++plays;
        return 0;
    }
    int playLooped(int) override { return play(); }
    int fadeIn(int, int) override { return play(); }
    void fadeOut(int) override {}
    void halt() override {}
    bool isPlaying() const override { return false; }
};

// Writes "<id> <event>" (check boxes: "<id> checked|unchecked") per call and
// then runs `after`, if set, so a test can act from inside a notification.
class ButtonEvents : public QuarnButtonListener, public SimpleButtonListener, public CheckBoxListener {
public:
    std::vector<std::string> log;
    std::function<void(int id, int event)> after;

    void onButtonEvent(int id, int event) override { record(id, event); }
    void onButton(int id, int event) override { record(id, event); }
    void onCheckChanged(int id, bool checked) override
    {
        log.push_back(std::to_string(id) + (checked ? " checked" : " unchecked"));
        if (after)
            after(id, checked ? 1 : 0);
    }

private:
    void record(int id, int event)
    {
        log.push_back(std::to_string(id) + " " + std::to_string(event));
        if (after)
            after(id, event);
    }
};

using Lines = std::vector<std::string>;
