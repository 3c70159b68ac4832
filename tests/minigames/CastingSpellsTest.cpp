// The casting-spells game without a window: comparing strokes with spell
// shapes, the drawing area's strokes, the description file, and the brush
// wiping the background's alpha with an exact restore.
#include "engine/gfx/SDLSurfaceImage.h"
#include "minigames/CastSurface.h"
#include "minigames/CastSurfaceListener.h"
#include "minigames/CastingSpell.h"
#include "minigames/CastingSpellsFile.h"
#include "minigames/MgCastingSpells.h"
#include "minigames/MiniGameBase.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

const std::vector<Point> LShape = {{110, 50}, {110, 200}, {110, 340}, {220, 340}, {330, 340}};

StrokeCurve stroke(std::vector<Point> points)
{
    StrokeCurve s(std::move(points));
    EXPECT_TRUE(s.resample());
    return s;
}

// A straight stroke of 300 pixels at `degrees` from the x axis.
StrokeCurve line(double degrees)
{
    const double r = degrees * 3.14159265358979 / 180.0;
    return stroke({{500, 500}, {500 + static_cast<int>(std::lround(300 * std::cos(r))),
                                500 + static_cast<int>(std::lround(300 * std::sin(r)))}});
}

struct Strokes : CastSurfaceListener {
    std::vector<std::vector<Point>> finished;
    int points = 0;
    void onStrokeFinished(const StrokeCurve& s) override { finished.push_back(s.getPoints()); }
    void onStrokePoint(int, int) override { ++points; }
};

MouseEvent at(int x, int y)
{
    MouseEvent e;
    e.x = x;
    e.y = y;
    return e;
}

}  // namespace

TEST(StrokeCurve, SizeAndPlaceDoNotMatterButTurningDoes)
{
    const CastingSpell spell(LShape);
    std::vector<Point> bigger;
    for (const Point& p : LShape)
        bigger.emplace_back(p.x * 2 + 37, p.y * 2 - 80);
    EXPECT_FLOAT_EQ(spell.distance(stroke(bigger)), 0.f);
    // Traced from its end: the reversed curve matches.
    EXPECT_FLOAT_EQ(spell.distance(stroke(std::vector<Point>(LShape.rbegin(), LShape.rend()))), 0.f);
    EXPECT_GT(spell.getForward().distance(stroke(std::vector<Point>(LShape.rbegin(), LShape.rend()))), 3000.f);
    // Every direction turned by 90 degrees.
    std::vector<Point> turned;
    for (const Point& p : LShape)
        turned.emplace_back(-p.y, p.x);
    EXPECT_NEAR(spell.getForward().distance(stroke(turned)), 8100.f, 1.f);
    EXPECT_FALSE(spell.matches(stroke(turned)));
}

TEST(StrokeCurve, TheLimitOfSuccessLiesNear55Degrees)
{
    const CastingSpell horizontal({{0, 0}, {100, 0}});
    EXPECT_NEAR(horizontal.distance(line(54)), 54.f * 54.f, 15.f);
    EXPECT_TRUE(horizontal.matches(line(54)));
    EXPECT_FALSE(horizontal.matches(line(56)));
    // Wrapped differences: 170 and -170 degrees are 20 apart.
    EXPECT_NEAR(line(170).distance(line(-170)), 400.f, 10.f);
}

TEST(StrokeCurve, StrokesWithoutLengthHaveNoDirections)
{
    StrokeCurve dot({{5, 5}});
    EXPECT_FALSE(dot.resample());
    StrokeCurve still({{5, 5}, {5, 5}, {5, 5}});
    EXPECT_FALSE(still.resample());
    EXPECT_GT(still.distance(line(0)), 1e30f);
    // A zero-length piece inside a stroke is passed over.
    const StrokeCurve withPause = stroke({{0, 0}, {0, 0}, {100, 0}, {100, 0}, {100, 100}});
    EXPECT_FLOAT_EQ(withPause.getDirections().front(), 0.f);
    EXPECT_FLOAT_EQ(withPause.getDirections().back(), 90.f);
}

TEST(CastSurface, StrokesEndOnReleaseOrWhenLeavingTheArea)
{
    Strokes heard;
    CastSurface surface(WidgetGeometry(100, 100, 0, 200, 200), &heard);
    // A click without movement is not judged.
    MouseEvent e = at(150, 150);
    surface.onMousePress(&e);
    surface.onMouseRelease(&e);
    EXPECT_TRUE(heard.finished.empty());
    EXPECT_EQ(heard.points, 1);
    // Moving out ends the stroke where it left; the release after it and
    // further moves do nothing.
    surface.onMousePress(&e);
    for (int x : {170, 190, 299, 300, 320}) {
        MouseEvent m = at(x, 150);
        surface.onMouseMove(&m);
    }
    surface.onMouseRelease(&e);
    ASSERT_EQ(heard.finished.size(), 1u);
    EXPECT_EQ(heard.finished[0].size(), 4u);
    EXPECT_EQ(heard.finished[0].back(), Point(299, 150));
    EXPECT_FALSE(surface.isDrawing());
    // Switched off, it ignores the pointer.
    surface.setDrawingEnabled(false);
    surface.onMousePress(&e);
    EXPECT_FALSE(surface.isDrawing());
}

TEST(CastingSpellsFile, IncompleteSpellsAreLeftOutInOrder)
{
    TempFolder folder;
    const std::string path = folder.write("game.xml", R"(<Game>
  <DrawSurface x="515" y="195" w="400" h="300"/>
  <Spell><Curve><Point x="1" y="2"/><Point x="3"/></Curve>
    <Frame image="a" x="10" y="20"/><FrameGlow image="aG"/><Glow image="m" x="40" y="50"/></Spell>
  <Spell><Curve/><Frame image="b"/><Glow image="m"/></Spell>
  <Spell><Curve/><Frame image="c"/><FrameGlow image="cG"/><Glow image="n"/></Spell>
</Game>)");
    const CastingSpellsDesc desc = CastingSpellsFile::load(path);
    ASSERT_TRUE(desc.hasSurface);
    EXPECT_EQ(desc.surface.h, 300);
    ASSERT_EQ(desc.spells.size(), 2u);
    EXPECT_EQ(desc.spells[0].curve, (std::vector<Point>{{1, 2}, {3, 0}}));
    EXPECT_EQ(desc.spells[0].frame, Point(10, 20));
    EXPECT_EQ(desc.spells[0].glow, Point(40, 50));
    EXPECT_EQ(desc.spells[0].frameGlowImage, "aG");
    EXPECT_EQ(desc.spells[1].frameImage, "c");

    const std::string noSurface = folder.write("bare.xml", "<Game><Spell/></Game>");
    EXPECT_FALSE(CastingSpellsFile::load(noSurface).hasSurface);
    EXPECT_FALSE(CastingSpellsFile::load(folder.path() + "/missing.xml").hasSurface);
    EXPECT_TRUE(CastingSpellsFile::load(noSurface).spells.empty());
}

TEST(CastingSpellsBrush, TheBrushTakesItsAlphaOffAndTheWipeRestoresEveryPixel)
{
    SDLSurfaceImage background(16, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            background.setPixel(x, y, Color(static_cast<uint8_t>(x * 9), static_cast<uint8_t>(y * 20), 77, 255));
    std::unique_ptr<Image> pristine(background.clone());
    SDLSurfaceImage brush(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            brush.setPixel(x, y, Color(255, 255, 255, 200));
    BlitRecord stamp;
    stamp.x = 2;
    stamp.y = 3;
    stamp.source = &brush;
    stamp.rect = Rect(0.f, 0.f, 4.f, 4.f);
    MiniGameBase::applyBlit(background, stamp);
    EXPECT_EQ(background.getPixel(3, 4), Color(27, 80, 77, 55));
    EXPECT_EQ(background.getPixel(1, 4).a, 255);
    EXPECT_EQ(background.getPixel(6, 4).a, 255);
    MiniGameBase::applyBlit(background, stamp);
    EXPECT_EQ(background.getPixel(5, 6).a, 0);
    MgCastingSpells::restorePixels(background, *static_cast<SDLSurfaceImage*>(pristine.get()));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(background.getPixel(x, y), pristine->getPixel(x, y)) << x << "," << y;
}

// The screen on the fake application with the game's own description,
// tuning file and pictures.
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "minigames/SpellWidget.h"
#include "tests/minigames/MiniGameTestSupport.h"

namespace {

class CastingSpellsScreenTest : public ::testing::Test {
protected:
    CastingSpellsScreenTest() : tuning("content/config/GameParameters.cfg")
    {
        setGameParameters(&tuning);
        loadQuestChain(folder, 73);
        game = new MgCastingSpells(52);
        game->show(nullptr);
        app.frames(20);
        confirmMessage(app);
    }
    ~CastingSpellsScreenTest() override { setGameParameters(nullptr); }

    Image& background() const { return *game->getResources()->getTexture("MG_CASTINGSPELLS_BG")->getImage(); }
    // The current spell's shape, as drawn, or turned by 90 degrees.
    StrokeCurve shape(bool turned) const
    {
        std::vector<Point> points;
        for (const Point& p : game->getSpells()[static_cast<size_t>(game->getCurrentSpell())].getForward().getPoints())
            points.push_back(turned ? Point(-p.y, p.x) : p);
        return stroke(points);
    }

    SingletonReset singletons;
    TempFolder folder;
    ConfigFile tuning;
    ScreenTestApp app;
    MgCastingSpells* game = nullptr;
};

}  // namespace

TEST_F(CastingSpellsScreenTest, ABadStrokeWipesThePaintingAndAGoodOneMovesOn)
{
    ASSERT_EQ(game->getSpells().size(), 3u);
    EXPECT_TRUE(game->getSpellWidgets()[0]->isBlinking());
    const Color before = background().getPixel(700, 400);
    game->onStrokePoint(700, 400);
    app.frames(1);
    EXPECT_LT(background().getPixel(700, 400).a, before.a);

    game->onStrokeFinished(shape(true));
    EXPECT_FALSE(game->getSpellWidgets()[0]->isCorrect());
    EXPECT_EQ(background().getPixel(700, 400), before);
    EXPECT_TRUE(game->getSurface()->isDrawingEnabled());

    game->onStrokePoint(700, 400);
    game->onStrokeFinished(shape(false));
    EXPECT_TRUE(game->getSpellWidgets()[0]->isCorrect());
    EXPECT_FALSE(game->getSurface()->isDrawingEnabled());
    // The glow rises for 1000 ms, then 500 ms pass; each step of the
    // sequence starts a frame after the one before.
    app.frames(22);
    EXPECT_EQ(game->getTraceGlowAlpha(), 255);
    EXPECT_EQ(game->getCurrentSpell(), 0);
    app.frames(14);
    EXPECT_EQ(game->getCurrentSpell(), 1);
    EXPECT_TRUE(game->getSpellWidgets()[1]->isBlinking());
    EXPECT_TRUE(game->getSurface()->isDrawingEnabled());
    EXPECT_EQ(game->getSpellWidgets()[0]->getMarkAlpha(), 255);
    EXPECT_EQ(background().getPixel(700, 400), before);
}

TEST_F(CastingSpellsScreenTest, TheLastSpellCastOpensTheFinishedMessage)
{
    for (int spell = 0; spell < 3; ++spell) {
        game->onStrokeFinished(shape(false));
        app.frames(36);
    }
    EXPECT_EQ(game->getCurrentSpell(), 3);
    app.frames(15);
    EXPECT_EQ(game->getOpenDialog(), MiniGameBase::FinishedDialogId);
}
