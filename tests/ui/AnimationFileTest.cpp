// Reading animation files into description records: the values and the
// required elements and attributes.
#include "engine/ui/AnimationFile.h"

#include "tests/ui/AnimationTestSupport.h"

#include <gtest/gtest.h>

TEST(AnimationFile, ReadsEveryValueOfAnImageKeyFrameAsWritten)
{
    AnimationDesc desc;
    std::string reason;
    ASSERT_TRUE(AnimationFile::read(animFixture("Props.xml"), desc, reason)) << reason;
    EXPECT_EQ(desc.name, "Props");
    EXPECT_FALSE(desc.loop);
    EXPECT_EQ(desc.length, 1000);
    EXPECT_EQ(desc.width, 64);
    EXPECT_EQ(desc.height, 64);
    ASSERT_EQ(desc.objects.size(), 1u);
    const AnimationObjectDesc& object = desc.objects[0];
    EXPECT_EQ(object.file, "halfred32.png");
    EXPECT_EQ(object.type, 0);
    ASSERT_EQ(object.keyFrames.size(), 2u);
    const AnimationKeyFrameDesc& k = object.keyFrames[0];
    EXPECT_EQ(k.timeStamp, 0);
    EXPECT_EQ(k.interpolator, 0);
    EXPECT_EQ(k.type, 0);
    EXPECT_FLOAT_EQ(k.x, 10.f);
    EXPECT_FLOAT_EQ(k.y, 20.f);
    EXPECT_FLOAT_EQ(k.z, 3.f);
    EXPECT_FLOAT_EQ(k.scaleX, 50.f);
    EXPECT_FLOAT_EQ(k.scaleY, 200.f);
    EXPECT_FLOAT_EQ(k.angle, 90.f) << "the file's value; the player negates it";
    EXPECT_EQ(k.red, 10);
    EXPECT_EQ(k.green, 20);
    EXPECT_EQ(k.blue, 30);
    EXPECT_EQ(k.alpha, 40);
    EXPECT_EQ(object.keyFrames[1].timeStamp, 600);

    ASSERT_TRUE(AnimationFile::read(animFixture("MoveXLoop.xml"), desc, reason)) << reason;
    EXPECT_TRUE(desc.loop);
}

TEST(AnimationFile, AMissingElementOrAttributeFailsTheReadAndKeepsTheRecord)
{
    TempFolder folder;
    const std::string key = keyFrameXml(0, 0, 0);
    const struct {
        const char* name;
        std::string path;
        const char* mentions;
    } cases[] = {
        {"no Scene", folder.write("a.xml", "<Clip name=\"x\" loop=\"0\" length=\"1\" />"), "Scene"},
        {"no Screen", animFixture("NoScreen.xml"), "Screen"},
        {"Scene without length", folder.write("b.xml", "<Scene name=\"x\" loop=\"0\"><Screen Width=\"1\" Height=\"1\" /></Scene>"),
         "length"},
        {"Screen without Height", folder.write("c.xml", "<Scene name=\"x\" loop=\"0\" length=\"1\"><Screen Width=\"1\" /></Scene>"),
         "Height"},
        {"Object without type",
         folder.write("d.xml", "<Scene name=\"x\" loop=\"0\" length=\"1\"><Screen Width=\"1\" Height=\"1\" />"
                               "<Object file=\"a.png\">" + key + "</Object></Scene>"),
         "type"},
        {"image key frame without Alpha",
         folder.write("e.xml", clipXml(100, false, "a.png", key.substr(0, key.find(" Alpha=")) + " />")), "Alpha"},
        {"key frame without Type",
         folder.write("f.xml", clipXml(100, false, "a.png", "<KeyFrame TimeStamp=\"0\" TypeInterpolator=\"0\" />")),
         "Type"},
        {"not XML", folder.write("g.xml", "<Scene name=\"x\""), ""},
        {"no file", folder.missing("h.xml"), ""},
    };
    for (const auto& c : cases) {
        AnimationDesc desc;
        desc.name = "untouched";
        std::string reason;
        EXPECT_FALSE(AnimationFile::read(c.path, desc, reason)) << c.name;
        EXPECT_EQ(desc.name, "untouched") << c.name;
        EXPECT_NE(reason.find(c.mentions), std::string::npos) << c.name << ": " << reason;
    }
}
