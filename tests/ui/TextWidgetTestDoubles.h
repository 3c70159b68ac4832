#pragma once
// Stand-ins for the text widget tests: a font with fixed advances that logs
// what it draws, game services that log named sounds, a caret object and
// listeners that log their calls.
#include "engine/gfx/Font.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/SimpleTextListListener.h"
#include "engine/ui/TextInputCursor.h"
#include "engine/ui/TextInputListener.h"
#include "engine/ui/UiServices.h"
#include <string>
#include <utility>
#include <vector>

inline std::string rgba(Color c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," + std::to_string(c.a);
}

// Bytes are 10 px wide, 'w' 14 px and bytes from 128 up 6 px, so a test can
// tell which characters were measured.
class FixedFont : public Font {
public:
    explicit FixedFont(int height) { lineHeight = height; }
    std::vector<std::string> calls;

    int textWidth(const std::string& text) const override
    {
        int width = 0;
        for (unsigned char c : text)
            width += c == '\n' ? 0 : c == 'w' ? 14 : c >= 128 ? 6 : 10;
        return width;
    }
    void drawTextInBox(ImageGraphics*, const WidgetGeometry&, const std::string&, Color, int, int, bool,
                       const uint8_t*) override {}
    void drawText(ImageGraphics*, int, int, const std::string&, Color, const uint8_t*) override {}
    void drawTextInBoxRuns(Graphics&, const WidgetGeometry& b, const std::string& text, Color c, int h, int v,
                           bool wrap) override
    {
        calls.push_back("box " + std::to_string(b.x) + " " + std::to_string(b.y) + " " + std::to_string(b.w) + "x" +
                        std::to_string(b.h) + " '" + text + "' " + rgba(c) + " h" + std::to_string(h) + " v" +
                        std::to_string(v) + (wrap ? " wrap" : " nowrap"));
    }
    void drawRun(Graphics&, int x, int y, const std::string& text, Color c) override
    {
        calls.push_back("run " + std::to_string(x) + " " + std::to_string(y) + " '" + text + "' " + rgba(c));
    }
    void reloadGpu() override {}
    void releaseGpu() override {}
    void wrapText(const std::string& text, std::string& out, int) const override { out = text; }
};

// Installs itself as the game's services for its lifetime.
class FakeUiServices : public UiServices {
public:
    FakeUiServices(Font* listFontToGive, Font* inputFontToGive) : list(listFontToGive), input(inputFontToGive)
    {
        setUiServices(this);
    }
    ~FakeUiServices() override { setUiServices(nullptr); }
    FakeUiServices(const FakeUiServices&) = delete;
    FakeUiServices& operator=(const FakeUiServices&) = delete;

    bool soundsLoaded() const override { return loaded; }
    void playNamed(const std::string& name) override { played.push_back(name); }
    Font* tooltipFont() override { return nullptr; }
    Font* listFont() override { return list; }
    Font* inputFont() override { return input; }

    bool loaded = true;
    std::vector<std::string> played;
    Font* list;
    Font* input;
};

// Logs "rect x y w h", "reset", "draw", "update dt"; sets a flag when deleted.
class LoggingCursor : public TextInputCursor {
public:
    LoggingCursor(std::vector<std::string>* callLog, bool* deletedFlag) : log(callLog), deleted(deletedFlag) {}
    ~LoggingCursor() override { *deleted = true; }
    void setRect(const WidgetGeometry& r) override
    {
        log->push_back("rect " + std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.w) + " " +
                       std::to_string(r.h));
        TextInputCursor::setRect(r);
    }
    void reset() override { log->push_back("reset"); }
    void draw(Graphics&) override { log->push_back("draw"); }
    void update(int dt) override { log->push_back("update " + std::to_string(dt)); }

    std::vector<std::string>* log;
    bool* deleted;
};

struct RecordingInputListener : TextInputListener {
    std::vector<std::pair<std::string, int>> changes;
    void onTextChanged(const std::string& text, int id) override { changes.emplace_back(text, id); }
};

struct RecordingListListener : SimpleTextListListener {
    std::vector<std::pair<int, int>> events;
    void onLineSelected(int id, int index) override { events.emplace_back(id, index); }
};
