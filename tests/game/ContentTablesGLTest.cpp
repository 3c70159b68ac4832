// The content registration tables run against the generated content
// (scripts/gen-content.sh): every entry of tools/content_manifest.tsv is
// registered under its id by its table, with an object that really loaded its
// file, and the number of entries of each kind per table is the one the game
// is written for (the counts below are typed in, not read from the manifest).
#include "game/ContentTables.h"

#include "engine/audio/MixMusic.h"
#include "engine/gfx/AngelFont.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "engine/res/ResourceManager.h"
#include "tests/support/GLTestSuite.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

using TableFunction = void (*)(ResourceManager*);

struct TableCounts {
    const char* name;
    TableFunction run;
    int textures;
    int fonts;
    int music;
};

// What each table must hold, as the game's screens are written for it.
const TableCounts kTables[] = {
    {"registerGlobalResources", registerGlobalResources, 2, 13, 7},
    {"registerSceneResources", registerSceneResources, 53, 0, 0},
    {"registerMainMenuResources", registerMainMenuResources, 11, 0, 0},
    {"registerMiniGamesMenuResources", registerMiniGamesMenuResources, 3, 0, 0},
    {"registerMapResources", registerMapResources, 11, 0, 0},
    {"registerOptionsResources", registerOptionsResources, 11, 0, 0},
    {"registerProfilesResources", registerProfilesResources, 14, 0, 0},
    {"registerQuitDialogResources", registerQuitDialogResources, 2, 0, 0},
    {"registerRuneSheetResources", registerRuneSheetResources, 19, 0, 0},
    {"registerStoryResources", registerStoryResources, 2, 0, 0},
    {"registerIntroResources", registerIntroResources, 4, 0, 0},
    {"registerMiniGameBaseResources", registerMiniGameBaseResources, 10, 0, 0},
    {"registerMemoryMatchResources", registerMemoryMatchResources, 2, 0, 0},
    {"registerImagePuzzleResources", registerImagePuzzleResources, 2, 0, 0},
    {"registerWhackAMoleResources", registerWhackAMoleResources, 3, 0, 0},
    {"registerMatchElementsResources", registerMatchElementsResources, 2, 0, 0},
    {"registerKlotskyResources", registerKlotskyResources, 2, 0, 0},
    {"registerFaceDrawingResources", registerFaceDrawingResources, 4, 1, 0},
    {"registerShootingResources", registerShootingResources, 8, 0, 0},
    {"registerTriangleCountResources", registerTriangleCountResources, 17, 0, 0},
    {"registerSumNumbersResources", registerSumNumbersResources, 7, 0, 0},
    {"registerCastingSpellsResources", registerCastingSpellsResources, 4, 0, 0},
    {"registerSecretNicheResources", registerSecretNicheResources, 3, 0, 0},
    {"registerCollectArmourResources", registerCollectArmourResources, 5, 0, 0},
    {"registerJournalResources", registerJournalResources, 9, 0, 0},
    {"registerCreditsResources", registerCreditsResources, 7, 0, 0},
    {"registerHighScoreResources", registerHighScoreResources, 3, 0, 0},
};
constexpr int kEntryCount = 241;  // 220 textures, 14 fonts, 7 music tracks

// The only textures wider or taller than 1024 pixels: the spell blink strips.
const std::set<std::string> kOversizeTextures = {
    "content/images/scenegui/Spell1Strip.jpg", "content/images/scenegui/Spell2Strip.jpg",
    "content/images/scenegui/Spell3Strip.jpg", "content/images/scenegui/Spell4Strip.jpg"};

struct ManifestEntry {
    std::string table, kind, id, path;
    int width = 0, height = 0;  // textures
    int lineHeight = 0;         // fonts
};

std::vector<ManifestEntry> readManifest()
{
    std::vector<ManifestEntry> entries;
    std::ifstream in("tools/content_manifest.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.rfind("table\t", 0) == 0)
            continue;
        std::vector<std::string> cols;
        std::stringstream fields(line);
        std::string col;
        while (std::getline(fields, col, '\t'))
            cols.push_back(col);
        if (cols.size() != 7) {
            ADD_FAILURE() << "manifest line with " << cols.size() << " columns: " << line;
            continue;
        }
        ManifestEntry e{cols[0], cols[1], cols[2], cols[3]};
        if (e.kind == "texture")
            std::sscanf(cols[4].c_str(), "%dx%d", &e.width, &e.height);
        else if (e.kind == "font")
            e.lineHeight = std::atoi(cols[4].c_str());
        entries.push_back(e);
    }
    return entries;
}

const std::vector<ManifestEntry>& manifest()
{
    static const std::vector<ManifestEntry> entries = readManifest();
    return entries;
}

std::vector<ManifestEntry> entriesOf(const std::string& table)
{
    std::vector<ManifestEntry> out;
    for (const ManifestEntry& e : manifest())
        if (e.table == table)
            out.push_back(e);
    return out;
}

std::vector<std::string> textureIdsOf(const std::vector<ManifestEntry>& entries)
{
    std::vector<std::string> ids;
    for (const ManifestEntry& e : entries)
        if (e.kind == "texture")
            ids.push_back(e.id);
    return ids;
}

// The number of textures the manager holds: the index an appended texture
// gets. The 1x1 probe stays in the manager.
int textureCount(ResourceManager& resources)
{
    return resources.addTexture(new GLTexture(new SDLSurfaceImage(1, 1)));
}

// The ids in the order of the manager's texture list. After a release and a
// reload every texture of the list takes a new GL name, in list order, and
// the driver hands out names in increasing order.
std::vector<std::string> inListOrder(ResourceManager& resources, std::vector<std::string> ids)
{
    resources.releaseGpuResources(ResourceManager::TextureResources);
    resources.reloadGpuResources(ResourceManager::TextureResources);
    std::sort(ids.begin(), ids.end(), [&resources](const std::string& a, const std::string& b) {
        return resources.findTexture(a)->getGLName() < resources.findTexture(b)->getGLName();
    });
    return ids;
}

// The paths named by "WARNING: tex <path> size: ..." lines.
std::set<std::string> oversizeWarnings(const std::string& out)
{
    std::set<std::string> paths;
    std::stringstream lines(out);
    std::string line;
    const std::string head = "WARNING: tex ";
    while (std::getline(lines, line)) {
        const size_t at = line.find(head);
        if (at == std::string::npos)
            continue;
        const size_t end = line.find(" size:", at);
        paths.insert(line.substr(at + head.size(), end == std::string::npos ? std::string::npos
                                                                              : end - at - head.size()));
    }
    return paths;
}

// Values of every "Texture count: N" line.
std::vector<int> textureCountLines(const std::string& out)
{
    std::vector<int> counts;
    const std::string head = "Texture count: ";
    for (size_t at = out.find(head); at != std::string::npos; at = out.find(head, at + 1))
        counts.push_back(std::atoi(out.c_str() + at + head.size()));
    return counts;
}

}  // namespace

class ContentTablesGL : public GLTestSuite {
protected:
    static void SetUpTestSuite()
    {
        GLTestSuite::SetUpTestSuite();
        if (window->ok() && SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 &&
            Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) == 0)
            mixerOpen = true;
    }
    static void TearDownTestSuite()
    {
        if (mixerOpen)
            Mix_CloseAudio();
        mixerOpen = false;
        GLTestSuite::TearDownTestSuite();
    }
    void SetUp() override
    {
        GLTestSuite::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(mixerOpen) << Mix_GetError();
        ASSERT_EQ(manifest().size(), static_cast<size_t>(kEntryCount)) << "tools/content_manifest.tsv";
    }

    static bool mixerOpen;
};
bool ContentTablesGL::mixerOpen = false;

TEST_F(ContentTablesGL, TablesHoldTheirCountsAndEveryIdOnce)
{
    std::set<std::string> tableNames;
    int total = 0;
    for (const TableCounts& table : kTables) {
        SCOPED_TRACE(table.name);
        tableNames.insert(table.name);
        std::map<std::string, int> kinds;
        for (const ManifestEntry& e : entriesOf(table.name))
            ++kinds[e.kind];
        EXPECT_EQ(kinds["texture"], table.textures);
        EXPECT_EQ(kinds["font"], table.fonts);
        EXPECT_EQ(kinds["music"], table.music);
        total += table.textures + table.fonts + table.music;
    }
    EXPECT_EQ(tableNames.size(), 27u);
    EXPECT_EQ(total, kEntryCount);

    std::set<std::string> ids;
    for (const ManifestEntry& e : manifest()) {
        EXPECT_TRUE(ids.insert(e.id).second) << "id listed twice: " << e.id;
        EXPECT_EQ(tableNames.count(e.table), 1u) << e.table;
    }
    EXPECT_EQ(ids.size(), static_cast<size_t>(kEntryCount));

    // Ids and file names whose spelling and letter case the screens rely on.
    const std::map<std::string, std::string> spelled = {
        {"GUI_NIGHSKY_MASK_L", "content/images/scenegui/NightskyMaskL.jpg"},
        {"GUI_BG_SIL_O", "content/images/scenegui/SilBGO.jpg"},
        {"MG_TRIANGLES_GLOW", "content/images/minigames/Triangles/GLOW.jpg"},
        {"MG_WHACKAMOLE_SQUIRREL_BIG", "content/images/minigames/WhackAMole/squirelBig.jpg"},
        {"MAP_DOT", "content/images/menus/map/dot.jpg"},
        {"MG_IMAGEPUZZLE_TEMPLATE", "content/images/minigames/02_imgpuzz/template.jpg"},
        {"FONT_STARS", "content/fonts/Arial12.fnt"},
    };
    size_t found = 0;
    for (const ManifestEntry& e : manifest()) {
        const auto it = spelled.find(e.id);
        if (it != spelled.end()) {
            EXPECT_EQ(e.path, it->second) << e.id;
            ++found;
        }
    }
    EXPECT_EQ(found, spelled.size());
}

TEST_F(ContentTablesGL, EveryTableLoadsEveryEntryFromItsFile)
{
    for (const TableCounts& table : kTables) {
        SCOPED_TRACE(table.name);
        const std::vector<ManifestEntry> entries = entriesOf(table.name);
        ResourceManager resources;
        CaptureStdout();
        CaptureStderr();
        table.run(&resources);
        const std::string err = GetCapturedStderr();
        const std::string out = GetCapturedStdout();
        // A file that cannot be decoded leaves one line on standard error.
        EXPECT_EQ(err, "");

        std::set<std::string> expectedWarnings;
        for (const ManifestEntry& e : entries) {
            SCOPED_TRACE(e.id);
            if (e.kind == "texture") {
                GLTexture* texture = resources.findTexture(e.id);
                ASSERT_NE(texture, nullptr);
                // The fallback for an unreadable file is a 1x1 picture.
                EXPECT_EQ(texture->getWidth(), e.width);
                EXPECT_EQ(texture->getHeight(), e.height);
                EXPECT_NE(texture->getGLName(), static_cast<uint32_t>(-1));
                if (kOversizeTextures.count(e.path))
                    expectedWarnings.insert(e.path);
            } else if (e.kind == "font") {
                auto* font = dynamic_cast<AngelFont*>(resources.getFont(e.id));
                ASSERT_NE(font, nullptr);
                EXPECT_EQ(font->getLineHeight(), e.lineHeight);
                EXPECT_GE(font->metrics().glyphs().size(), 95u);
                ASSERT_GE(font->pageCount(), 1);
                for (int i = 0; i < font->pageCount(); ++i)
                    EXPECT_NE(font->page(i), nullptr) << "page " << i;
            } else {
                auto* music = dynamic_cast<MixMusic*>(resources.getMusic(e.id));
                ASSERT_NE(music, nullptr);
                EXPECT_TRUE(music->isLoaded());
            }
        }
        EXPECT_EQ(oversizeWarnings(out), expectedWarnings) << out;

        // Nothing beyond the listed textures, held in table order.
        const std::vector<std::string> ids = textureIdsOf(entries);
        EXPECT_EQ(inListOrder(resources, ids), ids);
        EXPECT_EQ(textureCount(resources), table.textures);
    }
}

TEST_F(ContentTablesGL, RunningATableAgainKeepsIdsInTheirPlaces)
{
    const std::vector<std::string> ids = textureIdsOf(entriesOf("registerMainMenuResources"));
    ResourceManager resources;
    registerMainMenuResources(&resources);
    std::map<std::string, GLTexture*> first;
    for (const std::string& id : ids)
        first[id] = resources.findTexture(id);
    const int live = GLTexture::liveCount();

    CaptureStdout();
    registerMainMenuResources(&resources);
    const std::string out = GetCapturedStdout();

    // Each new texture replaced the old one under its id: the live count
    // never grew past one new texture at a time.
    EXPECT_EQ(GLTexture::liveCount(), live);
    const std::vector<int> counts = textureCountLines(out);
    EXPECT_EQ(counts, std::vector<int>(ids.size(), live)) << out;
    for (const std::string& id : ids)
        EXPECT_NE(resources.findTexture(id), first[id]) << id;
    EXPECT_EQ(inListOrder(resources, ids), ids);
    EXPECT_EQ(textureCount(resources), 11);
}

TEST_F(ContentTablesGL, MinigameFrameTableComesBeforeTheGamesOwn)
{
    ResourceManager resources;
    registerMiniGameBaseResources(&resources);
    registerFaceDrawingResources(&resources);
    std::vector<std::string> ids = textureIdsOf(entriesOf("registerMiniGameBaseResources"));
    const std::vector<std::string> own = textureIdsOf(entriesOf("registerFaceDrawingResources"));
    ASSERT_EQ(ids.size(), 10u);
    EXPECT_EQ(own, (std::vector<std::string>{"MG_FACEDRAWING_BG", "MG_FACEDRAWING_STAR",
                                             "MG_FACEDRAWING_STAR_WRONG", "MG_FACEDRAWING_FINAL_OUTLINE"}));
    ids.insert(ids.end(), own.begin(), own.end());
    EXPECT_EQ(inListOrder(resources, ids), ids);
    EXPECT_EQ(textureCount(resources), 14);
    // The minigame's font lives in the minigame's manager.
    EXPECT_NE(resources.getFont("FONT_STARS"), nullptr);
}

// Two live screens may run one table; when the later one is deleted, the
// earlier one still draws its own objects (screens reach them through their
// own manager, never through a program-wide handle the later run re-pointed).
TEST_F(ContentTablesGL, ScreenKeepsItsTexturesWhenAnotherScreenOfTheSameTableIsDeleted)
{
    auto earlier = std::make_unique<ResourceManager>();
    auto later = std::make_unique<ResourceManager>();
    auto map = std::make_unique<ResourceManager>();
    registerMainMenuResources(earlier.get());
    GLTexture* background = earlier->getTexture("MAIN_BG");
    GLTexture* button = earlier->getTexture("MAIN_BTN_N");
    registerMainMenuResources(later.get());
    registerMapResources(map.get());
    // One file under two ids in two screens: two objects.
    EXPECT_NE(map->getTexture("MAP_BTN_N"), button);
    EXPECT_NE(later->getTexture("MAIN_BG"), background);

    later.reset();
    map.reset();
    EXPECT_EQ(earlier->getTexture("MAIN_BG"), background);
    EXPECT_EQ(earlier->getTexture("MAIN_BTN_N"), button);
    EXPECT_EQ(glIsTexture(background->getGLName()), GL_TRUE);
    EXPECT_EQ(button->getWidth(), 205);

    // And it still draws: the menu button's colour reaches the screen.
    GLGraphics gfx;
    gfx.init(1024, 768, 1000);
    gfx.clear();
    gfx.drawImage(0, 0, button, Color(255, 255, 255, 255));
    const Color centre = window->readPixel(102, 24);
    EXPECT_FALSE(centre.r == 0 && centre.g == 0 && centre.b == 0);
}

TEST_F(ContentTablesGL, ApplicationHandlesFollowTheLatestGlobalRun)
{
    struct Handle {
        const char* id;
        const void* (*get)();
    };
#define QUILL_HANDLE(name) {#name, [] { return static_cast<const void*>(name); }}
    const Handle fonts[] = {QUILL_HANDLE(FONT_ARIAL14), QUILL_HANDLE(FONT_PH_BIG), QUILL_HANDLE(FONT_PH_SMALL),
                            QUILL_HANDLE(FONT_TIMES16), QUILL_HANDLE(FONT_TIMES24), QUILL_HANDLE(FONT_TIMES16_NE),
                            QUILL_HANDLE(FONT_TIMES24_NE), QUILL_HANDLE(FONT_TIMES36_NE),
                            QUILL_HANDLE(FONT_TRISK10), QUILL_HANDLE(FONT_JESTER16), QUILL_HANDLE(FONT_BRUSH22),
                            QUILL_HANDLE(FONT_TIMES60_NE), QUILL_HANDLE(FONT_TIMES24_WHITE)};
    const Handle music[] = {QUILL_HANDLE(MUSIC_MAIN_THEME), QUILL_HANDLE(MUSIC_01), QUILL_HANDLE(MUSIC_02),
                            QUILL_HANDLE(MUSIC_03), QUILL_HANDLE(MUSIC_04), QUILL_HANDLE(MUSIC_05),
                            QUILL_HANDLE(MUSIC_06)};
    const Handle textures[] = {QUILL_HANDLE(GTEX_BTN_PH_N), QUILL_HANDLE(GTEX_BTN_PH_O)};
#undef QUILL_HANDLE

    ResourceManager app;
    std::map<std::string, const void*> previous;
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "first run" : "second run");
        registerGlobalResources(&app);
        for (const Handle& h : fonts) {
            EXPECT_EQ(h.get(), app.getFont(h.id)) << h.id;
            EXPECT_NE(h.get(), previous[h.id]) << h.id;
            previous[h.id] = h.get();
        }
        for (const Handle& h : music) {
            EXPECT_EQ(h.get(), app.getMusic(h.id)) << h.id;
            EXPECT_NE(h.get(), previous[h.id]) << h.id;
            previous[h.id] = h.get();
        }
        for (const Handle& h : textures) {
            EXPECT_EQ(h.get(), app.getTexture(h.id)) << h.id;
            EXPECT_NE(h.get(), previous[h.id]) << h.id;
            previous[h.id] = h.get();
        }
    }
    // A screen table leaves the application's handles alone.
    ResourceManager screen;
    registerMiniGamesMenuResources(&screen);
    EXPECT_EQ(GTEX_BTN_PH_N, app.getTexture("GTEX_BTN_PH_N"));
    EXPECT_NE(screen.getTexture("MGMENU_GUI_BTN_N"), GTEX_BTN_PH_N);
}

// The mask column of the manifest reaches the screen: the scene panel's top
// rows are transparent, its body and a picture without mask are opaque.
TEST_F(ContentTablesGL, MasksMakeTheirPicturesTransparent)
{
    ResourceManager scene;
    registerSceneResources(&scene);
    ResourceManager menu;
    registerMainMenuResources(&menu);
    GLGraphics gfx;
    gfx.init(1024, 768, 1000);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    gfx.clear();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    GLTexture* panel = scene.getTexture("GUI_MAIN");
    gfx.drawImage(0, 768 - panel->getHeight(), panel, Color(255, 255, 255, 255));
    const Color top = window->readPixel(512, 768 - 220 + 10);
    const Color body = window->readPixel(512, 768 - 20);
    EXPECT_EQ(top, Color(255, 0, 0, 255));
    EXPECT_FALSE(body.r > 200 && body.g < 40 && body.b < 40);

    gfx.drawImage(0, 0, menu.getTexture("MAIN_BG"), Color(255, 255, 255, 255));
    const Color corner = window->readPixel(100, 100);
    EXPECT_FALSE(corner.r > 200 && corner.g < 40 && corner.b < 40);
}
