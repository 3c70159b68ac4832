// The game scene's effects as the player sees them, read back from
// screenshots of the running game over scenes of flat test pictures: the
// collect animation, a flickering light, a key item's centred sprite, a
// lightning strike and the vision hint.
#include "engine/store/ConfigFile.h"
#include "engine/ui/Animation2D.h"
#include "engine/ui/WidgetManager.h"
#include "scenes/HintRenderer.h"
#include "scenes/MyLightningWidget.h"
#include "tests/app/BmpImage.h"
#include "tests/scenes/QDSceneTestFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

const Color Grey(90, 90, 90);
const Color Gold(249, 213, 87);

// The game's tuning table with some keys added, for one test.
class AddedTuning {
public:
    explicit AddedTuning(const std::string& lines)
        : before(gameParameters())
    {
        std::ifstream in(before->getFileName(), std::ios::binary);
        const std::string text = lines + std::string(std::istreambuf_iterator<char>(in), {});
        table = std::make_unique<ConfigFile>(folder.write("tuning.cfg", text));
        setGameParameters(table.get());
    }
    ~AddedTuning() { setGameParameters(before); }
    AddedTuning(const AddedTuning&) = delete;
    AddedTuning& operator=(const AddedTuning&) = delete;

private:
    TempFolder folder;
    ConfigFile* before;
    std::unique_ptr<ConfigFile> table;
};

// Mean of (r + g + b) / 3 over a grid of the rectangle.
int brightness(const BmpImage& image, int x0 = 0, int y0 = 0, int x1 = 1024, int y1 = 768)
{
    long sum = 0, count = 0;
    for (int y = y0; y < y1; y += 8)
        for (int x = x0; x < x1; x += 8) {
            const Color c = image.at(x, y);
            sum += (c.r + c.g + c.b) / 3;
            ++count;
        }
    return static_cast<int>(sum / std::max(1L, count));
}

// The box around the red block's pixels above the goal panel (empty: w 0).
struct Box {
    int x0 = 1024, y0 = 768, x1 = -1, y1 = -1;
    int w() const { return std::max(0, x1 - x0 + 1); }
    int h() const { return std::max(0, y1 - y0 + 1); }
};

Box redBox(const BmpImage& image)
{
    Box box;
    for (int y = 0; y < 640; ++y)
        for (int x = 0; x < 1024; ++x) {
            const Color c = image.at(x, y);
            if (c.r > 150 && c.g < 100 && c.b < 100) {
                box.x0 = std::min(box.x0, x), box.x1 = std::max(box.x1, x);
                box.y0 = std::min(box.y0, y), box.y1 = std::max(box.y1, y);
            }
        }
    return box;
}

class SceneEffectsGLTest : public QDSceneTest {
protected:
    BmpImage shot()
    {
        const std::string path = appData.path("effects.bmp");
        EXPECT_TRUE(driver.shot(path));
        return BmpImage(path);
    }
    // Frames until the hint's silhouette appears in the middle of the screen.
    bool hintArrives(const HintRenderer& hint)
    {
        for (int i = 0; i < 300 && hint.getPhase() != 1; ++i)
            driver.step(1);
        return hint.getPhase() == 1;
    }
};

} // namespace

TEST_F(SceneEffectsGLTest, TheCollectAnimationSwellsOnScreenAndTheItemIsGoneAfterIt)
{
    QDScene* scene = show(1, {{"RedBlock.png", 300, 200, 0, ""}, {"BlueDisc.png", 600, 200, 0, ""}},
                          collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0")));
    const Box rest = redBox(shot());
    ASSERT_GT(rest.w(), 60);
    ASSERT_TRUE(clickItem(scene, 1));
    waitMs(100);
    const Box swollen = redBox(shot());
    EXPECT_GT(swollen.w(), rest.w() + 12);
    EXPECT_GT(swollen.h(), rest.h() + 12);
    waitMs(980);
    EXPECT_EQ(redBox(shot()).w(), 0);
}

// With "Randomness" 100 the flicker turns at every update, so at a high
// speed the light swings between its bounds from frame to frame: of three
// screenshots (now, 500 ms later, one frame after that) two differ, and the
// dark one is darker than the unlit background.
TEST_F(SceneEffectsGLTest, AFlickeringLightInGroupSixLightsTheSceneAndItsBrightnessChanges)
{
    AddedTuning tuning("SceneFlicker.t.Randomness = 100\nSceneFlicker.t.MinIntensity = 0\n"
                       "SceneFlicker.t.MaxIntensity = 1\nSceneFlicker.t.FlickerSpeed = 1000\n");
    files.write("G.xml", "<ItemGroupRules><Rule groupId='6' typeId='500' type='0'/>"
                         "<Rule groupId='6' typeId='603' type='0'/>" + groupRules() + "</ItemGroupRules>");
    files.write("R.xml", "<ItemRendererRules><Rule renderer='10' typeId='603'/><Rule renderer='0'/></ItemRendererRules>");
    // White, without an ambient share, 1000 px in front of the middle.
    Item light{"RedBlock.png", 512, 384, 603, "Light"};
    light.layer = 1000;
    light.alpha = 0;
    show(1, {light, {"BlueDisc.png", 100, 100, 0, ""}}, collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0")));
    int levels[3];
    levels[0] = brightness(shot(), 0, 0, 1024, 640);
    waitMs(490);
    levels[1] = brightness(shot(), 0, 0, 1024, 640);
    levels[2] = brightness(shot(), 0, 0, 1024, 640);
    const auto [dark, bright] = std::minmax({levels[0], levels[1], levels[2]});
    EXPECT_GT(bright - dark, 30) << levels[0] << " " << levels[1] << " " << levels[2];
    EXPECT_LT(dark, Grey.r - 30);
}

// The 128-px sparkle sheet of the content over 100-px blocks: typeId 213
// centres it (14 px beyond each side) although its group ids say (300, 300);
// typeId 100 puts it at its group ids (40, 40).
TEST_F(SceneEffectsGLTest, AKeyItemOfType213CentresItsSpriteWhateverItsGroupIds)
{
    AddedTuning tuning("KeyItem.t.TextureFileName = content/images/scenegui/StaffMagicAnim\n"
                       "KeyItem.t.AnimWidth = 128\nKeyItem.t.AnimHeight = 128\nKeyItem.t.NumColumns = 8\n"
                       "KeyItem.t.NumRows = 5\nKeyItem.t.NumFrames = 40\nKeyItem.t.FrameDuration = 60\n");
    files.write("R.xml", "<ItemRendererRules><Rule renderer='11' typeId='213'/><Rule renderer='11' typeId='100'/>"
                         "<Rule renderer='0'/></ItemRendererRules>");
    Item centred{"RedBlock.png", 100, 100, 213, "Rune"};
    centred.major = centred.minor = 300;
    Item shifted{"RedBlock.png", 500, 100, 100, "Key"};
    shifted.major = shifted.minor = 40;
    show(1, {centred, shifted}, collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "100,213")));
    const BmpImage image = shot();
    EXPECT_FALSE(near(image.at(92, 150), Grey, 12)) << describe(image.at(92, 150));
    EXPECT_FALSE(near(image.at(150, 208), Grey, 12)) << describe(image.at(150, 208));
    EXPECT_TRUE(near(image.at(464, 464), Grey)) << describe(image.at(464, 464));
    EXPECT_TRUE(near(image.at(492, 150), Grey)) << describe(image.at(492, 150));
    EXPECT_FALSE(near(image.at(660, 200), Grey, 12)) << describe(image.at(660, 200));
}

TEST_F(SceneEffectsGLTest, ALightningStrikeBrightensTheWholeScreenForAMoment)
{
    QDScene* scene = show(1, EveryKind, collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0")));
    MyLightningWidget* lightning = scene->getSpells().getLightning();
    ASSERT_NE(lightning, nullptr);
    const BmpImage calm = shot();
    lightning->strike();
    waitMs(50);
    const BmpImage flash = shot();
    // A fifth of the way to white 50 ms in (the flash peaks at 100 ms).
    EXPECT_GT(brightness(flash), brightness(calm) + 15);
    // Every quarter of the screen, not only where the bolt runs.
    for (int q = 0; q < 4; ++q) {
        const int x = q % 2 * 512, y = q / 2 * 384;
        EXPECT_GT(brightness(flash, x, y, x + 512, y + 384), brightness(calm, x, y, x + 512, y + 384) + 10) << q;
    }
    waitMs(300);
    EXPECT_NEAR(brightness(shot()), brightness(calm), 4);
}

// The vision hint: the fire ball reaches the middle of the screen, the gold
// silhouette swells there (500 ms) and flies to the item's corner (100, 100)
// shrinking (500 ms), then fades (500 ms). 700 ms after it appears it is
// 200 ms into its flight at 1.9 times its size, centred near (397, 320). A
// second cast while the first fades restarts the hint with one fire ball,
// and the first one's fade does not end the second.
TEST_F(SceneEffectsGLTest, TheHintFliesAGoldSilhouetteToTheItemAndASecondCastRestartsIt)
{
    QDScene* scene = show(1, {{"RedBlock.png", 100, 100, 0, ""}}, collect("STACKED_ITEM_LIST", rule("S", "0")));
    HintRenderer* hint = scene->getSpells().getHint();
    ASSERT_NE(hint, nullptr);
    hint->start(itemAt(1), 0);
    ASSERT_TRUE(hintArrives(*hint));
    waitMs(700);
    BmpImage image = shot();
    EXPECT_TRUE(near(image.at(397, 320), Gold, 12)) << describe(image.at(397, 320));
    waitMs(900);
    image = shot();
    EXPECT_FALSE(hint->isActive());
    EXPECT_FALSE(near(image.at(397, 320), Gold, 60)) << describe(image.at(397, 320));
    EXPECT_FALSE(near(image.at(562, 434), Gold, 60)) << describe(image.at(562, 434));

    // A new hint starts from the fire ball, whatever the last one left.
    hint->start(itemAt(1), 0);
    EXPECT_EQ(hint->getPhase(), -1);
    ASSERT_TRUE(hintArrives(*hint));
    waitMs(1100);
    hint->start(itemAt(1), 0);
    driver.step(2);
    EXPECT_EQ(game->stateValue("spell.fireballs"), "1");
    EXPECT_EQ(hint->getPhase(), -1);
    ASSERT_TRUE(hintArrives(*hint));
    EXPECT_TRUE(hint->isActive());
    waitMs(700);
    image = shot();
    EXPECT_TRUE(near(image.at(397, 320), Gold, 12)) << describe(image.at(397, 320));
}

// Where the hint lands, to the pixel: the 100-px block at (100, 100) with a
// panorama offset of 37 at the start. The silhouette's top left flies from
// (512, 384) to (137, 100) and stays there while it fades; the vision
// animation (128 px) is centred on the block's centre (187, 150).
TEST_F(SceneEffectsGLTest, TheHintLandsOnTheItemShiftedByTheOffsetGivenAtTheStart)
{
    QDScene* scene = show(1, {{"RedBlock.png", 100, 100, 0, ""}}, collect("STACKED_ITEM_LIST", rule("S", "0")));
    HintRenderer* hint = scene->getSpells().getHint();
    ASSERT_NE(hint, nullptr);
    hint->start(itemAt(1), 37);
    ASSERT_TRUE(hintArrives(*hint));
    EXPECT_FLOAT_EQ(hint->getGlowX(), 512.0f);
    EXPECT_FLOAT_EQ(hint->getGlowY(), 384.0f);
    waitMs(1100);
    ASSERT_TRUE(hint->isActive());
    EXPECT_NEAR(hint->getGlowX(), 137.0f, 0.01f);
    EXPECT_NEAR(hint->getGlowY(), 100.0f, 0.01f);
    const Animation2D* vision = nullptr;
    for (Widget* widget : scene->getWidgetManager()->getWidgets())
        if (auto* animation = dynamic_cast<const Animation2D*>(widget))
            vision = animation;
    ASSERT_NE(vision, nullptr);
    EXPECT_EQ(vision->getGeometry().x, 123);
    EXPECT_EQ(vision->getGeometry().y, 86);
}
