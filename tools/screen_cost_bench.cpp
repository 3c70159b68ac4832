// Screen cost benchmark: what each kind of screen costs, one table row each.
//
// Starts the game through the game driver (injected time) and opens every
// kind of screen the way the game does: the game flow's creators for the
// types it names (main menu, story dialog, journal, scene, each minigame),
// the constructors the menus call for the others (profiles, options, high
// scores, map, credits). For each kind it measures:
//  - create: from the creator's call to the end of the first drawn frame
//    (show: resources and widgets; one draw; glFinish), best of three opens;
//  - decode: the time SDL_image alone takes to decode the picture files that
//    open loaded (each file once, best of three passes), with the count of
//    loads and of distinct files; the screen's ratio create / decode
//    (target <= 1.3);
//    loads/files/upl: decodes, distinct files, texture uploads of that open;
//    the best open's parts: c.img (in IMG_Load), c.upl (in glTexImage2D),
//    c.draw (drawing the first frame); the rest is the screen's own work
//    (files read, pictures widened and masked, widgets built);
//  - after a warm-up of 800 frames (the minigames' opening message answered): update and
//    render ms per steady frame and the C++ heap allocations per frame
//    (target 0);
//  - one steady frame drawn again through the renderer ("redraw") against
//    its draw list replayed in a bare OpenGL loop (tools/RecordingGraphics.h),
//    and their ratio (target <= 1.15).
// A screen that left the stack during its frames is marked "left".
//
// Usage, from the repository root under a display:
//   scripts/with-xvfb.sh build/tools/screen_cost_bench [frames=120] [row...]
// `row` words keep only the rows whose name contains one of them. Run it
// alone: llvmpipe uses every core, parallel GL work skews the numbers.
#include "engine/app/SDLGameApp.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/CreditsScreen.h"
#include "frontend/HighScoresMenu.h"
#include "frontend/MapOfKingdom.h"
#include "frontend/OptionsMenu.h"
#include "frontend/PlayerProfilesMenu.h"
#include "game/GameFlow.h"
#include "game/GameFlowEntry.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/GameDriverProbes.h"
#include "tests/driver/HeadlessDriver.h"
#include "tools/AllocationCounter.h"
#include "tools/BenchFrames.h"

#include <GL/gl.h>
#include <SDL_image.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

// Every IMG_Load and glTexImage2D of the program passes here (the link
// wraps the symbols): while `noting` is set, the files an open decodes are
// noted and the time spent in both is added up.
extern "C" SDL_Surface* __real_IMG_Load(const char* file);
extern "C" void __real_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                                    GLsizei height, GLint border, GLenum format, GLenum type, const void* pixels);

namespace {

bool noting = false;
std::vector<std::string> notedFiles;
double notedDecodeMs = 0, notedUploadMs = 0;
size_t notedUploads = 0;
std::atomic<uint64_t> imageLoads{0};

} // namespace

extern "C" SDL_Surface* __wrap_IMG_Load(const char* file)
{
    ++imageLoads;
    if (!noting || !file)
        return __real_IMG_Load(file);
    notedFiles.emplace_back(file);
    const auto t0 = std::chrono::steady_clock::now();
    SDL_Surface* surface = __real_IMG_Load(file);
    notedDecodeMs += BenchFrames::msSince(t0);
    return surface;
}

extern "C" void __wrap_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                                    GLint border, GLenum format, GLenum type, const void* pixels)
{
    const auto t0 = std::chrono::steady_clock::now();
    __real_glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
    if (noting && target == GL_TEXTURE_2D) {
        notedUploadMs += BenchFrames::msSince(t0);
        ++notedUploads;
    }
}

namespace {

using BenchFrames::msSince;

// 12.8 s of play: long enough for the screens' periodic events (the main
// menu's first thunder comes after 4 to 12 s) to have happened once, so that
// what they make for good is made before the steady frames are counted.
constexpr int WarmUpFrames = 800;
constexpr int Opens = 3;

struct Kind {
    std::string name;
    std::string setup;                  // driver script run before each open
    std::function<ScreenBase*()> make;  // the creator
};

ScreenBase* fromFlow(const std::string& type, ScreenAttributes attributes)
{
    return GameFlow::instance()->createScreen(type, attributes);
}

// The screen of the flow's scene entry with that scene id, as the flow makes it.
ScreenBase* flowScene(int sceneId)
{
    GameFlow* flow = GameFlow::instance();
    for (int i = 0; i < flow->entryCount(); ++i) {
        const GameFlowEntry* entry = flow->entryAt(i);
        auto it = entry->attributes.find("sceneId");
        if (entry->type == "scene" && it != entry->attributes.end() && std::atoi(it->second.c_str()) == sceneId)
            return flow->createScreen(entry->type, entry->attributes);
    }
    return nullptr;
}

std::vector<Kind> kinds()
{
    std::vector<Kind> out = {
        {"main menu", "", [] { return fromFlow("mainmenu", {}); }},
        {"profiles menu", "", [] { return new PlayerProfilesMenu(); }},
        {"options", "", [] { return new OptionsMenu(); }},
        {"high scores", "", [] { return new HighScoresMenu(); }},
        {"dialog", "quest 3",
         [] { return fromFlow("StoryDialog", {{"fileName", "content/story/dialogs/CS_1_2_2.xml"}}); }},
        {"map", "quest 30",
         [] {
             int location = -1;
             return new MapOfKingdom(&location);
         }},
        {"journal", "quest 30", [] { return fromFlow("DiaryScreen", {{"openAtEntryId", "0"}}); }},
        // A plain scene of chapter 2, and the showcase scene with every effect.
        {"scene 11", "quest 30\nflow 11", [] { return flowScene(11); }},
        {"scene 1 (busiest)", "quest 3\nflow 1", [] { return flowScene(1); }},
    };
    const std::pair<const char*, int> games[] = {
        {"MgCastingSpells", 52},  {"MgCipherTiles", 17},     {"MgCollectArmour", 66},    {"MgCypherWheel", 29},
        {"MgFaceDrawing", 35},    {"MgImagePuzzle", 4},      {"MgKlotsky", 32},          {"MgLabyrinth", 43},
        {"MgMatchElements", 7},   {"MgMemoryMatch", 2},      {"MgRearrangeElements", 1}, {"MgRectangleTileSum", 14},
        {"MgScrambledDial", 11},  {"MgSecretNiche", 38},     {"MgShootingPractice", 23}, {"MgSumTheNumbers", 69},
        {"MgTriangleCount", 41},  {"MgWhackAMole", 7},       {"MgZodiacSigns", 46},
    };
    for (const auto& [type, quest] : games) {
        const std::string t = type;
        const std::string q = std::to_string(quest);
        out.push_back({t, "quest " + q, [t, q] { return fromFlow(t, {{"questId", q}}); }});
    }
    out.push_back({"credits", "", [] { return new CreditsScreen(false); }});
    return out;
}

void clearStack(SDLGameApp& app)
{
    while (app.topScreen())
        app.popScreen();
}

struct Row {
    std::string name, note;
    BenchFrames::Costs steady;
    BenchFrames::ReplayCosts same;
    double create = 0, decode = 0;
    // Parts of the best open: in IMG_Load, in glTexImage2D, drawing the frame.
    double openDecode = 0, openUpload = 0, firstDraw = 0;
    size_t loads = 0, files = 0, uploads = 0;
    int frames = 0;
};

// Decodes each file once with SDL_image; ms of the best of three passes.
double decodeMs(const std::set<std::string>& files)
{
    double best = std::numeric_limits<double>::max();
    for (int pass = 0; pass < 3; ++pass) {
        const auto t0 = std::chrono::steady_clock::now();
        for (const std::string& file : files)
            if (SDL_Surface* s = __real_IMG_Load(file.c_str()))
                SDL_FreeSurface(s);
        best = std::min(best, msSince(t0));
    }
    return files.empty() ? 0.0 : best;
}

// Opens the kind and draws its first frame; ms, or a negative value when the
// creator made no screen.
struct OpenCosts {
    double total = -1, decode = 0, upload = 0, draw = 0;
};

OpenCosts openOnce(GameDriver& game, const Kind& kind, ScreenBase*& screen, RecordingGraphics& g)
{
    OpenCosts c;
    SDLGameApp& app = *game.app();
    clearStack(app);
    if (!kind.setup.empty() && !game.driver().runScript(kind.setup))
        return c;
    clearStack(app);
    notedFiles.clear();
    notedDecodeMs = notedUploadMs = 0;
    notedUploads = 0;
    noting = true;
    const auto t0 = std::chrono::steady_clock::now();
    screen = kind.make();
    if (screen) {
        app.showScreen(screen);
        const auto t1 = std::chrono::steady_clock::now();
        BenchFrames::drawScreens(app, g);
        c.draw = msSince(t1);
    }
    const double ms = msSince(t0);
    noting = false;
    if (screen)
        c.total = ms, c.decode = notedDecodeMs, c.upload = notedUploadMs;
    return c;
}

bool measureKind(GameDriver& game, const Kind& kind, int frames, Row& row)
{
    SDLGameApp& app = *game.app();
    HeadlessDriver& driver = game.driver();
    RecordingGraphics g;
    row.name = kind.name;
    row.frames = frames;
    ScreenBase* screen = nullptr;
    if (openOnce(game, kind, screen, g).total < 0) {  // the warm-up open
        row.note = "no screen: " + driver.lastError();
        return false;
    }
    row.create = std::numeric_limits<double>::max();
    for (int i = 0; i < Opens; ++i) {
        const OpenCosts c = openOnce(game, kind, screen, g);
        if (c.total < row.create) {
            row.create = c.total;
            row.openDecode = c.decode, row.openUpload = c.upload, row.firstDraw = c.draw;
        }
    }
    row.loads = notedFiles.size();
    row.uploads = notedUploads;
    const std::set<std::string> files(notedFiles.begin(), notedFiles.end());
    row.files = files.size();
    row.decode = decodeMs(files);

    BenchFrames::measure(app, driver, g, WarmUpFrames);
    const std::string phase = app.topScreen() == screen ? game.stateValue("minigame.phase") : "";
    if (phase == "tutorial" || phase == "question") {
        if (!driver.runScript("minigame ok"))
            row.note = "message stays open ";
        BenchFrames::measure(app, driver, g, WarmUpFrames / 2);
    }
    const uint64_t loadsBefore = imageLoads.load();
    row.steady = BenchFrames::measure(app, driver, g, frames);
    row.same = BenchFrames::compareWithReplay(app, g, frames);
    if (app.topScreen() != screen)
        row.note += "left ";
    if (row.steady.driverAllocations > 0)
        row.note += std::to_string(row.steady.driverAllocations) + " GL driver allocations ";
    if (imageLoads.load() != loadsBefore)
        row.note += std::to_string(imageLoads.load() - loadsBefore) + " decodes in frames ";
    clearStack(app);
    return true;
}

const char* mark(bool met)
{
    return met ? " " : "!";
}

// The table's stream: the program's standard output as it was at the start
// (the game's own log lines go to standard error meanwhile).
FILE* table = stdout;

void printRow(const Row& r)
{
    const double allocs = static_cast<double>(r.steady.allocations) / r.frames;
    const double createRatio = r.decode > 0 ? r.create / r.decode : 0.0;
    std::fprintf(table,
                 "%-20s %7.3f %7.3f %7.3f %7.3f %5.2f%s %6.2f%s %7.1f %7.1f %5.2f%s %3zu/%3zu/%-3zu %6.1f %6.1f %6.1f %s\n",
                 r.name.c_str(), r.steady.update, r.steady.render, r.same.render, r.same.replay, r.same.ratio(),
                 mark(r.same.ratio() <= 1.15), allocs, mark(allocs == 0), r.create, r.decode, createRatio,
                 mark(r.decode > 0 ? createRatio <= 1.3 : true), r.loads, r.files, r.uploads, r.openDecode, r.openUpload,
                 r.firstDraw, r.note.c_str());
    std::fflush(table);
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 120;
    const std::vector<std::string> only(argv + std::min(argc, 2), argv + argc);
    char pattern[] = "/tmp/quill-bench.XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("screen_cost_bench: mkdtemp");
        return 2;
    }
    ::setenv("APPDATA", pattern, 1);
    std::fflush(stdout);
    const int tableFd = dup(STDOUT_FILENO);
    if (tableFd >= 0 && (table = fdopen(tableFd, "w")) != nullptr)
        dup2(STDERR_FILENO, STDOUT_FILENO);
    else
        table = stdout;
    int status = 0;
    {
        HeadlessDriver driver;
        GameDriver game(driver);
        addGameDriverProbes(game);
        std::string error;
        if (!game.startGame(error) || !driver.runScript("profile Bench 1\nwait 100")) {
            std::fprintf(stderr, "screen_cost_bench: %s\n",
                         error.empty() ? driver.lastError().c_str() : error.c_str());
            status = 2;
        } else {
            std::fprintf(table, "%d steady frames of %d ms per screen; ms per frame, create and decode in ms; "
                        "! marks a missed target (ratio <= 1.15, 0 allocations, create/decode <= 1.3)\n",
                        frames, BenchFrames::FrameMs);
            std::fprintf(table, "%-20s %7s %7s %7s %7s %6s %7s %7s %7s %6s %11s %6s %6s %6s\n", "screen", "update",
                         "render", "redraw", "replay", "ratio", "allocs", "create", "decode", "ratio", "loads/files/upl",
                         "c.img", "c.upl", "c.draw");
            for (const Kind& kind : kinds()) {
                if (!only.empty() && std::none_of(only.begin(), only.end(), [&](const std::string& word) {
                        return kind.name.find(word) != std::string::npos;
                    }))
                    continue;
                Row row;
                if (!measureKind(game, kind, frames, row)) {
                    std::fprintf(table, "%-20s %s\n", row.name.c_str(), row.note.c_str());
                    status = 1;
                    continue;
                }
                printRow(row);
            }
        }
    }
    std::filesystem::remove_all(pattern);
    return status;
}
