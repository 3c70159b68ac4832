#pragma once
// Fonts, music and sounds that write what happens to them ("delete font A",
// "release font A", ...) into a journal shared by a test, so tests can check
// which objects a ResourceManager touched and in what order.
#include "engine/audio/Music.h"
#include "engine/audio/Sound.h"
#include "engine/gfx/Font.h"

#include <string>
#include <utility>
#include <vector>

using Journal = std::vector<std::string>;

class JournalFont : public Font {
public:
    JournalFont(Journal& j, std::string n) : journal(j), name(std::move(n)) {}
    ~JournalFont() override { journal.push_back("delete font " + name); }

    int textWidth(const std::string&) const override { return 0; }
    void drawTextInBox(ImageGraphics*, const WidgetGeometry&, const std::string&, Color, int, int, bool,
                       const uint8_t*) override {}
    void drawText(ImageGraphics*, int, int, const std::string&, Color, const uint8_t*) override {}
    void drawTextInBoxRuns(Graphics&, const WidgetGeometry&, const std::string&, Color, int, int, bool) override {}
    void drawRun(Graphics&, int, int, const std::string&, Color) override {}
    void reloadGpu() override { journal.push_back("reload font " + name); }
    void releaseGpu() override { journal.push_back("release font " + name); }
    void wrapText(const std::string& text, std::string& out, int) const override { out = text; }

private:
    Journal& journal;
    std::string name;
};

class JournalMusic : public Music {
public:
    JournalMusic(Journal& j, std::string n) : journal(j), name(std::move(n)) {}
    ~JournalMusic() override { journal.push_back("delete music " + name); }
    int play(int) override { return -1; }

private:
    Journal& journal;
    std::string name;
};

class JournalSound : public Sound {
public:
    JournalSound(Journal& j, std::string n) : journal(j), name(std::move(n)) {}
    ~JournalSound() override { journal.push_back("delete sound " + name); }
    int play() override { return -1; }
    int playLooped(int) override { return -1; }
    int fadeIn(int, int) override { return -1; }
    void fadeOut(int) override {}
    void halt() override {}
    bool isPlaying() const override { return false; }

private:
    Journal& journal;
    std::string name;
};
