// The main menu's storm without a window: the cloth banners, the wind, the
// thunder timing and the lightning bolt.
#include "frontend/ClothSimulation.h"
#include "frontend/MainMenu.h"
#include "frontend/WindState.h"
#include "scenes/MyLightningWidget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

ClothSimulation banner(const Vec3& gravity)
{
    ClothSimulation cloth;
    ClothSimulation::create(60, 4, &cloth, 5, nullptr, gravity);
    return cloth;
}

float meanY(const ClothSimulation& cloth, int column)
{
    float sum = 0.f;
    for (int row = 0; row <= cloth.rows; ++row)
        sum += cloth.vertexAt(row, column).y;
    return sum / static_cast<float>(cloth.rows + 1);
}

bool allFinite(const ClothSimulation& cloth)
{
    for (const ClothVertex& v : cloth.vertices)
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
            return false;
    return true;
}

} // namespace

TEST(ClothSimulation, FiveRowsGive186ParticlesAnd335StructuralSprings)
{
    ClothSimulation cloth = banner(Vec3());
    EXPECT_EQ(cloth.columns, 30);
    EXPECT_EQ(cloth.particles.size(), 186u);
    EXPECT_EQ(cloth.vertices.size(), 186u);
    EXPECT_EQ(cloth.springs.size(), 335u);
    // The free columns start slanted in depth, the pinned one flat.
    EXPECT_FLOAT_EQ(cloth.vertexAt(5, 0).z, 0.f);
    EXPECT_FLOAT_EQ(cloth.vertexAt(5, 1).z, 0.5f * 5 / 6);
    EXPECT_FLOAT_EQ(cloth.vertexAt(0, 30).x, 60.f);
}

TEST(ClothSimulation, ThePinnedColumnStaysWhateverTheWindAndAFrameOfNoTimeMovesNothing)
{
    ClothSimulation cloth = banner(Vec3(0.f, -0.5f, 0.f));
    std::vector<ClothVertex> pinned;
    for (int row = 0; row <= cloth.rows; ++row)
        pinned.push_back(cloth.vertexAt(row, 0));
    cloth.wind = Vec3(3.f, 0.f, 3.f);
    for (int i = 0; i < 500; ++i)
        ClothSimulation::update(&cloth, 16);
    for (int row = 0; row <= cloth.rows; ++row) {
        EXPECT_EQ(cloth.vertexAt(row, 0).x, pinned[row].x);
        EXPECT_EQ(cloth.vertexAt(row, 0).y, pinned[row].y);
        EXPECT_EQ(cloth.vertexAt(row, 0).z, pinned[row].z);
    }
    ASSERT_TRUE(allFinite(cloth));
    EXPECT_NE(cloth.vertexAt(3, 30).z, 0.5f * 3 / 6) << "the wind moved nothing";

    // Moving particles, but a frame of 0 ms: no position changes.
    const std::vector<ClothVertex> before = cloth.vertices;
    ClothSimulation::update(&cloth, 0);
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(cloth.vertices[i].x, before[i].x);
        EXPECT_EQ(cloth.vertices[i].y, before[i].y);
        EXPECT_EQ(cloth.vertices[i].z, before[i].z);
    }
}

TEST(ClothSimulation, GravityAloneSagsTheFreeEdgeAndKeepsItFinite)
{
    ClothSimulation cloth = banner(Vec3(0.f, -0.5f, 0.f));
    const float start = meanY(cloth, 30);
    for (int i = 0; i < 100; ++i)
        ClothSimulation::update(&cloth, 16);
    EXPECT_LT(meanY(cloth, 30), start);
    EXPECT_TRUE(allFinite(cloth));
}

TEST(ClothSimulation, ASpringWhoseEndsMeetPullsNothingInsteadOfPoisoningTheCloth)
{
    ClothSimulation cloth = banner(Vec3(0.f, -0.5f, 0.f));
    // Particle (0, 1) put on top of the pinned (0, 0): that spring has no length.
    cloth.vertices[1].x = cloth.vertices[0].x;
    cloth.vertices[1].y = cloth.vertices[0].y;
    cloth.vertices[1].z = cloth.vertices[0].z;
    for (int i = 0; i < 20; ++i)
        ClothSimulation::update(&cloth, 16);
    EXPECT_TRUE(allFinite(cloth));
}

TEST(WindState, TheAnglesStayWithinTheBoundsAndTurnAtThem)
{
    WindState wind;
    int yawTurns = 0;
    float lastDirection = wind.yawDirection;
    for (int i = 0; i < 10000; ++i) {
        wind.step();
        ASSERT_GE(wind.yaw, -90.f);
        ASSERT_LE(wind.yaw, 90.f);
        ASSERT_GE(wind.pitch, -90.f);
        ASSERT_LE(wind.pitch, 90.f);
        if (wind.yawDirection != lastDirection) {
            // A turn happens only on a bound.
            EXPECT_TRUE(wind.yaw == 90.f || wind.yaw == -90.f) << wind.yaw;
            ++yawTurns;
            lastDirection = wind.yawDirection;
        }
    }
    EXPECT_GT(yawTurns, 10);
    const Vec3 v = wind.vector();
    EXPECT_NEAR(v.x * v.x + v.z * v.z, 9.f, 1e-3f);
}

TEST(MainMenu, ThunderFollowsAfter130MsOrWithinTheIntervalEvenWhenTheIntervalIsEmpty)
{
    int quick = 0;
    for (int i = 0; i < 2000; ++i) {
        const int d = MainMenu::thunderDelay(4000, 12000);
        if (d == MainMenu::QuickThunderMs) {
            ++quick;
            continue;
        }
        ASSERT_GE(d, 4000);
        ASSERT_LT(d, 12000);
    }
    // One in five, give or take.
    EXPECT_GT(quick, 250);
    EXPECT_LT(quick, 550);
    // Equal or swapped bounds: no random part, no division by zero.
    for (int i = 0; i < 50; ++i) {
        const int same = MainMenu::thunderDelay(5000, 5000);
        EXPECT_TRUE(same == 5000 || same == MainMenu::QuickThunderMs) << same;
        const int swapped = MainMenu::thunderDelay(9000, 4000);
        EXPECT_TRUE(swapped == 9000 || swapped == MainMenu::QuickThunderMs) << swapped;
    }
}

TEST(MyLightningWidget, TheBoltGrowsInsideItsBoundsAndTheStrikeFlashesFor200Ms)
{
    MyLightningWidget bolt;
    bolt.aim(WidgetGeometry(0, 0, 0, 1024, 768), PointF(250.f, 0.f), 90.f, 140.f);
    EXPECT_EQ(bolt.width, 4);
    bolt.strike();
    ASSERT_FALSE(bolt.getBranches().empty());
    const LightningBranch& main = bolt.getBranches().front();
    EXPECT_EQ(main.depth, 0);
    EXPECT_GT(main.points.size(), 10u);
    for (const LightningBranch& b : bolt.getBranches()) {
        // A tip counts as inside by its coordinates truncated toward zero.
        for (const PointF& p : b.points) {
            EXPECT_GT(p.x, -1.f);
            EXPECT_LT(p.x, 1024.f);
            EXPECT_GT(p.y, -1.f);
            EXPECT_LT(p.y, 768.f);
        }
        if (b.depth > 0) {
            EXPECT_EQ(b.width, 1);
            EXPECT_LE(b.points.size(), 38u);
        }
    }
    for (int i = 0; i < 4; ++i)
        bolt.update(20, nullptr);
    EXPECT_GT(bolt.getFlashAlpha(), 0);
    EXPECT_GT(bolt.getBoltAlpha(), 0);
    EXPECT_TRUE(bolt.isStriking());
    for (int i = 0; i < 30; ++i)
        bolt.update(20, nullptr);
    EXPECT_FALSE(bolt.isStriking());
    EXPECT_EQ(bolt.getFlashAlpha(), 0);
    EXPECT_EQ(bolt.getBoltAlpha(), 0);

    // The next bolt reuses the branches of this one: it starts afresh from
    // its own start, no branch keeping points of the last bolt.
    bolt.start = PointF(700.f, 0.f);
    bolt.growBolt();
    ASSERT_FALSE(bolt.getBranches().empty());
    ASSERT_FALSE(bolt.getBranches().front().points.empty());
    EXPECT_EQ(bolt.getBranches().front().points.front().x, 700.f);
    EXPECT_EQ(bolt.getBranches().front().depth, 0);
    for (const LightningBranch& b : bolt.getBranches()) {
        if (b.depth > 0) {
            EXPECT_LE(b.points.size(), 38u);
        }
    }

    // A start outside the bounds: one main branch without points.
    bolt.start = PointF(-5.f, 0.f);
    bolt.growBolt();
    ASSERT_EQ(bolt.getBranches().size(), 1u);
    EXPECT_TRUE(bolt.getBranches()[0].points.empty());
}
