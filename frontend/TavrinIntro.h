#pragma once
// The story text before the story (prologue) and after its last quest
// (epilogue): over the map a portrait, a cloud band and a heading, under
// which the text ("JOURNAL_0_0" or "OUTRO_POEM", one line per line feed)
// crawls upwards through a window while the voice ("VO_PROLOGUE" or
// "VO_EPILOGUE") reads it. Everything but the map fades in over a second,
// the crawl takes 160 (prologue) or 174 (epilogue) ms a pixel, then a second
// of fade-out closes the screen (code 1); Escape after the entry transition
// closes it at once.
//
// On leaving it stops the voice, pops itself, then:
//  - epilogue: the current profile (when there is one) starts its story
//    again from the beginning, the flow goes to 0, the items and quests are
//    reset; the credits show and lead to a new main menu;
//  - prologue: a new game (current quest 0 or none) goes to chapter
//    transition 0 (faded in and out over 500 ms), a later one shows the
//    current flow entry; the main menu when the flow gives no screen.
#include "engine/anim/ActionListener.h"
#include "engine/ui/ScreenBase.h"

#include <memory>
#include <string>
#include <vector>

class Action;
class GLTexture;

class TavrinIntro : public ScreenBase, public ActionListener {
public:
    static constexpr int CloseCode = 1;
    static constexpr int FadeMs = 1000;
    static constexpr int PrologueMsPerPixel = 160;
    static constexpr int EpilogueMsPerPixel = 174;
    static constexpr int LineX = 60;
    // The window the lines crawl through.
    static constexpr int WindowX = 54, WindowY = 581, WindowW = 916, WindowH = 174;

    // The flag is copied; null counts as false (the prologue).
    explicit TavrinIntro(bool* epilogue);
    ~TavrinIntro() override;

    // Escape (pressed, after the entry transition) ends the screen.
    void onKey(KeyEvent* event) override;
    // ActionListener: the crawl is over (id 0).
    void onActionFinished(int32_t id) override;

    // The text's lines: split at every line feed; empty pieces count, and
    // so does the piece after the last line feed.
    static std::vector<std::string> splitLines(const std::string& text);
    // How far the text crawls: half the cloud's height plus the text's.
    static int crawlDistance(int cloudHeight, int lineHeight, int lineCount);

    bool isEpilogue() const { return epilogue; }
    int lineCount() const { return static_cast<int>(lines.size()); }
    int getAlpha() const { return alpha; }
    int getScroll() const { return scroll; }

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    struct Line {
        int x;
        int y;
        GLTexture* texture;  // owned by the screen's resource manager
    };
    void makeLines();
    const char* voice() const;

    bool epilogue;
    std::string text;
    int scroll = 0;
    int textHeight = 0;
    int alpha = 0;
    int msPerPixel;
    std::unique_ptr<Action> crawl;
    std::vector<Line> lines;
};
