// Dials and wheels: the turning and snapping of a dial, the cypher wheel's
// description file and decoding order, the wheel's spin, and the scrambled
// dials, cypher wheel and secret niche screens over the game's own content.
#include "engine/store/ConfigFile.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/InputEvents.h"
#include "minigames/CypherSolution.h"
#include "minigames/CypherWheelFile.h"
#include "minigames/CypherWheelWidget.h"
#include "minigames/DialRotation.h"
#include "minigames/DialWidget.h"
#include "minigames/FinalImage.h"
#include "minigames/MgCypherWheel.h"
#include "minigames/MgScrambledDial.h"
#include "minigames/MgSecretNiche.h"
#include "minigames/ScaleImage.h"
#include "tests/minigames/MiniGameTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

DialRotation dial(float angle, float tolerance = 5.f, float factor = 1.f)
{
    DialRotation r;
    r.angle = angle;
    r.angleTolerance = tolerance;
    r.rotationFactor = factor;
    r.active = true;
    return r;
}

}  // namespace

TEST(DialRotation, ThePointerAngleIsMeasuredAboutTheMiddleInWholePixels)
{
    // A 401-wide picture at (100, 50): its middle is (300, 250).
    EXPECT_FLOAT_EQ(DialRotation::pointerAngle(400, 250, 100, 50, 401, 401), 0.f);
    EXPECT_FLOAT_EQ(DialRotation::pointerAngle(300, 350, 100, 50, 401, 401), 90.f);
    EXPECT_FLOAT_EQ(DialRotation::pointerAngle(200, 250, 100, 50, 401, 401), 180.f);
    EXPECT_FLOAT_EQ(DialRotation::pointerAngle(300, 150, 100, 50, 401, 401), -90.f);
}

TEST(DialRotation, StepsTakeTheShortWayAndOnlyTheAllowedDirection)
{
    DialRotation r = dial(10.f);
    ASSERT_TRUE(r.press(179.f));
    r.move(-179.f);
    EXPECT_FLOAT_EQ(r.angle, 12.f);
    // -179 to 170 is 11 degrees back, not 349 on.
    r.move(170.f);
    EXPECT_FLOAT_EQ(r.angle, 1.f);
    // Below 0: back into [0, 360).
    r.move(160.f);
    EXPECT_FLOAT_EQ(r.angle, 351.f);

    DialRotation oneWay = dial(10.f);
    oneWay.directionMode = DialRotation::DecreasingOnly;
    oneWay.press(179.f);
    oneWay.move(-179.f);
    EXPECT_FLOAT_EQ(oneWay.angle, 10.f);
    EXPECT_FLOAT_EQ(oneWay.lastPointerAngle, 179.f);
    oneWay.move(170.f);
    EXPECT_FLOAT_EQ(oneWay.angle, 1.f);
}

TEST(DialRotation, TheFactorScalesAndTurnsTheStep)
{
    DialRotation against = dial(100.f, 5.f, -1.f);
    against.press(0.f);
    against.move(30.f);
    EXPECT_FLOAT_EQ(against.angle, 70.f);
    DialRotation fast = dial(100.f, 5.f, 2.f);
    fast.press(0.f);
    fast.move(30.f);
    EXPECT_FLOAT_EQ(fast.angle, 160.f);
    // An inactive dial neither starts a drag nor turns.
    DialRotation locked = dial(100.f);
    locked.active = false;
    EXPECT_FALSE(locked.press(0.f));
    locked.move(30.f);
    EXPECT_FLOAT_EQ(locked.angle, 100.f);
}

TEST(DialRotation, OnlyAReleaseStrictlyInsideTheToleranceSnaps)
{
    DialRotation edge = dial(355.f);
    EXPECT_FALSE(edge.release());
    EXPECT_TRUE(edge.active);
    DialRotation near = dial(355.5f);
    EXPECT_TRUE(near.release());
    EXPECT_TRUE(near.isInPlace());
    EXPECT_FALSE(near.active);
    // A wheel after its spin stands turns away; the snap folds every turn.
    DialRotation spun = dial(2.f * 360.f + 92.f);
    spun.targetAngle = 90.f;
    EXPECT_TRUE(spun.release());
    EXPECT_FLOAT_EQ(spun.angle, 90.f);
}

TEST(CypherSolution, PiecesAreDecodedInOrderAndAResetStartsAgain)
{
    CypherSolution s({90.f, 210.f});
    EXPECT_FLOAT_EQ(s.targetAngle(), 90.f);
    EXPECT_FALSE(s.advance());
    EXPECT_FLOAT_EQ(s.targetAngle(), 210.f);
    s.reset();
    EXPECT_EQ(s.index(), 0);
    EXPECT_FALSE(s.advance());
    EXPECT_TRUE(s.advance());
    EXPECT_TRUE(s.isComplete());
    EXPECT_FALSE(s.advance());
    // No pieces: nothing to decode, never complete.
    CypherSolution none;
    EXPECT_FALSE(none.hasCurrent());
    EXPECT_FALSE(none.isComplete());
    EXPECT_FALSE(none.advance());
}

TEST(CypherWheelFile, DefaultsAndIncompletePieces)
{
    TempFolder folder;
    const CypherWheelDesc d = CypherWheelFile::load(
        folder.write("w.xml", "<Game dialImage='wheel' dialY='40'>"
                              "<SolutionComponent wheelOverlay='h' angle='90.5'>"
                              "<WheelSymbol image='s' x='1' y='2'/><WordSymbol image='w' x='3' y='4'/>"
                              "</SolutionComponent>"
                              "<SolutionComponent angle='10'><WordSymbol image='w'/></SolutionComponent>"
                              "</Game>"),
        Point(512, 384));
    ASSERT_TRUE(d.loaded);
    EXPECT_FLOAT_EQ(d.angleTolerance, 5.f);
    EXPECT_FLOAT_EQ(d.rotationFactor, 1.f);
    EXPECT_EQ(d.dial, Point(512, 40));
    ASSERT_EQ(d.components.size(), 1u);
    EXPECT_FLOAT_EQ(d.components[0].angle, 90.5f);
    EXPECT_EQ(d.components[0].wordSymbol.position, Point(3, 4));
    EXPECT_FALSE(CypherWheelFile::load(folder.write("bad.xml", "<Other/>"), Point()).loaded);
    EXPECT_FALSE(CypherWheelFile::load(folder.path() + "/missing.xml", Point()).loaded);
}

TEST(CypherWheelWidget, ItSpinsAboutAHalfTurnAndAHalfAndOnlyThenTakesThePointer)
{
    CypherWheelWidget wheel(nullptr, nullptr, 5.f, 1.f);
    EXPECT_FALSE(wheel.isActive());
    const float start = wheel.getAngle();
    EXPECT_GE(start, 0.f);
    EXPECT_LT(start, 360.f);
    wheel.startSpin();
    int ms = 0;
    while (wheel.isSpinning() && ms < 3000) {
        EXPECT_FALSE(wheel.isActive());
        wheel.update(16, nullptr);
        ms += 16;
    }
    EXPECT_NEAR(ms, 2000, 3 * 16);
    // The sequence moves from the setter to the slowing a frame late: at
    // most two frames at full speed more than the 540 degrees.
    EXPECT_NEAR(wheel.getAngle() - start, 540.f, 2 * 540.f * 16 / 1000);
    EXPECT_TRUE(wheel.isActive());
}

namespace {

// The game's own tuning file, quests and pictures on the fake application.
class DialScreenTest : public ::testing::Test {
protected:
    DialScreenTest() : tuning("content/config/GameParameters.cfg")
    {
        setGameParameters(&tuning);
        loadQuestChain(folder, 73);
    }
    ~DialScreenTest() override { setGameParameters(nullptr); }

    template <class Game>
    Game* open(int questId)
    {
        auto* game = new Game(questId);
        game->show(nullptr);
        app.frames(20);
        confirmMessage(app);
        return game;
    }
    MouseEvent mouse(int type, int x, int y)
    {
        MouseEvent e;
        e.type = type;
        e.x = x;
        e.y = y;
        e.buttons = type == MouseEvent::Release ? 0 : MouseEvent::Left;
        app.mouse = Point(x, y);
        return e;
    }
    // Presses at (x, y), drags round the dial's middle by `degrees` in
    // steps of 10 and lets go there.
    void drag(ScreenBase* screen, Point middle, int x, int y, double degrees)
    {
        screen->onMouse(mouse(MouseEvent::Move, x, y));
        screen->onMouse(mouse(MouseEvent::Press, x, y));
        const double r = std::hypot(x - middle.x, y - middle.y);
        const double a0 = std::atan2(y - middle.y, x - middle.x);
        const int steps = static_cast<int>(std::ceil(std::fabs(degrees) / 10.0));
        int px = x, py = y;
        for (int i = 1; i <= steps; ++i) {
            const double a = a0 + degrees * i / steps * 3.14159265358979 / 180.0;
            px = static_cast<int>(std::lround(middle.x + r * std::cos(a)));
            py = static_cast<int>(std::lround(middle.y + r * std::sin(a)));
            MouseEvent m = mouse(MouseEvent::Move, px, py);
            m.dx = 1;
            screen->onMouse(m);
        }
        screen->onMouse(mouse(MouseEvent::Release, px, py));
    }

    SingletonReset singletons;
    TempFolder folder;
    ConfigFile tuning;
    ScreenTestApp app;
};

}  // namespace

TEST_F(DialScreenTest, APressOnARingGrabsThatRingThoughOthersLieAbove)
{
    MgScrambledDial* game = open<MgScrambledDial>(11);
    ASSERT_EQ(game->getDials().size(), 3u);
    const Point middle(512, 384);
    // Ring 1 is the annulus 80..140 about the middle; ring 2 lies above it.
    std::vector<float> before;
    for (const DialWidget* d : game->getDials())
        before.push_back(d->getAngle());
    drag(game, middle, middle.x + 110, middle.y, 30.0);
    const std::vector<DialWidget*>& dials = game->getDials();
    EXPECT_FLOAT_EQ(dials[0]->getAngle(), before[0]);
    EXPECT_FLOAT_EQ(dials[2]->getAngle(), before[2]);
    const float turned = std::fmod(dials[1]->getAngle() - before[1] + 720.f, 360.f);
    EXPECT_TRUE(std::fabs(turned - 30.f) < 1.f || !dials[1]->isActive()) << turned;
}

TEST_F(DialScreenTest, TheWinIsTakenOnceAndTheFinalPictureFadesOnce)
{
    MgScrambledDial* game = open<MgScrambledDial>(11);
    const Point middle(512, 384);
    const int radius[3] = {170, 110, 40};
    for (size_t i = 0; i < 3; ++i) {
        DialWidget* d = game->getDials()[i];
        const double turn = -DialRotation::offsetFromTarget(d->getAngle(), 0.f);
        drag(game, middle, middle.x + radius[i], middle.y, turn);
        EXPECT_FALSE(d->isActive()) << i;
    }
    ASSERT_TRUE(game->isWon());
    FinalImage* final = game->getFinalImage();
    ASSERT_NE(final, nullptr);
    EXPECT_TRUE(final->isFading());
    app.frames(10, 40);
    const int halfway = final->getAlpha();
    EXPECT_GT(halfway, 0);
    // A later click (a locked ring's) neither restarts the fade nor wins
    // again: the fade ends at 255, not 255 above where it stood.
    game->onButton(MgScrambledDial::FirstDialId, 1);
    EXPECT_EQ(final->getAlpha(), halfway);
    app.frames(20, 40);
    EXPECT_EQ(final->getAlpha(), 255);
    EXPECT_FALSE(final->isFading());
    app.frames(20, 40);
    EXPECT_TRUE(game->isFinishedShown());
}

TEST_F(DialScreenTest, AWheelWithoutPictureOrPiecesCanOnlyBeSkipped)
{
    // The file is looked up under the game's folder: climb to the root.
    std::string up;
    for (int i = 0; i < 32; ++i)
        up += "../";
    ConfigFile patched(folder.write("Tuning.cfg", "MgCypherWheel.Quest29.GameXmlFile = " + up +
                                                      folder.path().substr(1) + "/nowheel.xml\nEndConfigFile\n"));
    folder.write("nowheel.xml", "<Game background='bg'/>");
    setGameParameters(&patched);
    MgCypherWheel* game = open<MgCypherWheel>(29);
    EXPECT_EQ(game->getWheel(), nullptr);
    EXPECT_EQ(game->puzzleState(), "wheel=none");
    app.frames(10);
    setGameParameters(&tuning);
}

TEST_F(DialScreenTest, TheCypherWheelDecodesPieceByPiece)
{
    MgCypherWheel* game = open<MgCypherWheel>(29);
    CypherWheelWidget* wheel = game->getWheel();
    ASSERT_NE(wheel, nullptr);
    ASSERT_EQ(game->getComponents().size(), 3u);
    // Not before the spin is over.
    EXPECT_FALSE(wheel->isActive());
    app.frames(45, 50);
    ASSERT_TRUE(wheel->isActive());
    const Point middle(512, 384);
    const double turn = -DialRotation::offsetFromTarget(wheel->getAngle(), game->getComponents()[0].angle);
    drag(game, middle, middle.x + 120, middle.y, turn);
    ASSERT_TRUE(wheel->isInPlace());
    ImageWidget* word = game->getWordImage();
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(word->getGeometry().x, game->getComponents()[0].wordPosition.x);
    EXPECT_NE(wheel->getOverlay(), nullptr);
    app.frames(20, 50);
    EXPECT_GT(word->getTint().a, 0);
    EXPECT_FALSE(wheel->isActive());
    app.frames(25, 50);
    EXPECT_EQ(word->getTint().a, 255);
    EXPECT_EQ(game->getSolution().index(), 1);
    EXPECT_TRUE(wheel->isActive());
    EXPECT_EQ(wheel->getOverlay(), nullptr);
}

TEST_F(DialScreenTest, TheNicheResetsOnAWrongReleaseAndRaisesTheKeyWhenDecoded)
{
    EXPECT_FLOAT_EQ(MgSecretNiche::keyScaleFor(230, 600), 0.35f);
    MgSecretNiche* game = open<MgSecretNiche>(38);
    CypherWheelWidget* wheel = game->getWheel();
    ASSERT_NE(wheel, nullptr);
    EXPECT_FLOAT_EQ(game->getKey()->scale, 0.35f);
    app.frames(45, 50);
    ASSERT_TRUE(wheel->isActive());
    const Point middle(200, 410);
    const std::vector<SolutionComponent>& pieces = game->getComponents();
    auto decode = [&](size_t k) {
        double turn = -DialRotation::offsetFromTarget(wheel->getAngle(), pieces[k].angle);
        if (turn > 0)
            turn -= 360.0;
        drag(game, middle, middle.x + 100, middle.y, turn);
        ASSERT_TRUE(wheel->isInPlace()) << k;
        app.frames(45, 50);
    };
    decode(0);
    ASSERT_EQ(game->getWordImages().size(), 1u);
    EXPECT_EQ(game->getWordImages()[0]->getTint().a, 255);
    // Clockwise: the wheel stays; let go off the target: back to the start.
    const float angle = wheel->getAngle();
    drag(game, middle, middle.x + 100, middle.y, 30.0);
    EXPECT_FLOAT_EQ(wheel->getAngle(), angle);
    EXPECT_EQ(game->getSolution().index(), 0);
    EXPECT_EQ(game->getWordImages()[0]->getTint().a, 0);
    EXPECT_TRUE(wheel->isActive());
    for (size_t k = 0; k < pieces.size(); ++k)
        decode(k);
    // The same word images again, none made twice.
    EXPECT_EQ(game->getWordImages().size(), pieces.size());
    // Drawer 600 ms, key 1000 ms, glow wait 1000 ms, 700 ms: the message.
    app.frames(40, 50);
    EXPECT_EQ(game->getDrawerAlpha(), 0);
    EXPECT_FLOAT_EQ(game->getKey()->scale, 1.f);
    EXPECT_EQ(game->getKey()->getGeometry().y, MgSecretNiche::KeyCorner.y - MgSecretNiche::KeyRise);
    EXPECT_GT(game->getKey()->getGlowAlpha(), 0);
    app.frames(30, 50);
    EXPECT_TRUE(game->isFinishedShown());
}
