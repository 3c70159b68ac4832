// Texture handling of ResourceManager with real GLTextures, which need a GL
// context (run under Xvfb).
#include "engine/res/ResourceManager.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "tests/res/ResourceDoubles.h"
#include "tests/support/Fixtures.h"
#include "tests/support/GLTestSuite.h"

#include <gtest/gtest.h>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// A real 4x4 texture that also journals its GPU walks and its deletion.
class JournalTexture : public GLTexture {
public:
    JournalTexture(Journal& j, std::string n)
        : GLTexture(new SDLSurfaceImage(4, 4)), journal(j), name(std::move(n)) {}
    ~JournalTexture() override { journal.push_back("delete texture " + name); }
    void upload() override
    {
        journal.push_back("upload texture " + name);
        GLTexture::upload();
    }
    void releaseGpu() override
    {
        journal.push_back("release texture " + name);
        GLTexture::releaseGpu();
    }

private:
    Journal& journal;
    std::string name;
};

}  // namespace

class ResourceManagerGL : public GLTestSuite {};

TEST_F(ResourceManagerGL, ReRegisteredIdKeepsItsIndexAndDeletesTheOldTexture)
{
    Journal journal;
    ResourceManager manager;
    auto* firstA = new JournalTexture(journal, "A1");
    auto* b = new JournalTexture(journal, "B");
    auto* secondA = new JournalTexture(journal, "A2");
    manager.registerTexture("A", firstA);
    manager.registerTexture("B", b);
    const int live = GLTexture::liveCount();

    CaptureStdout();
    manager.registerTexture("A", secondA);
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(journal, Journal{"delete texture A1"});
    EXPECT_NE(out.find("Texture count: " + std::to_string(live - 1)), std::string::npos) << out;
    EXPECT_EQ(manager.getTexture("A"), secondA);
    EXPECT_EQ(manager.findTexture("B"), b);

    // The texture already held under its own id stays.
    journal.clear();
    manager.registerTexture("B", b);
    EXPECT_TRUE(journal.empty());

    // Two textures in the vector: the next one appended gets index 2.
    EXPECT_EQ(manager.addTexture(new JournalTexture(journal, "C")), 2);
    // Vector order shows the new A at index 0.
    journal.clear();
    manager.releaseGpuResources(ResourceManager::TextureResources);
    EXPECT_EQ(journal, (Journal{"release texture A2", "release texture B", "release texture C"}));
}

TEST_F(ResourceManagerGL, GpuFlagsSelectTexturesOrFontsOnly)
{
    Journal journal;
    ResourceManager manager;
    manager.registerTexture("Z", new JournalTexture(journal, "Z"));
    manager.addTexture(new JournalTexture(journal, "unnamed"));
    manager.registerFont("FONT_B", new JournalFont(journal, "B"));
    manager.registerFont("FONT_A", new JournalFont(journal, "A"));

    manager.releaseGpuResources(ResourceManager::FontResources);
    manager.reloadGpuResources(ResourceManager::FontResources);
    EXPECT_EQ(journal, (Journal{"release font A", "release font B", "reload font A", "reload font B"}));

    journal.clear();
    manager.releaseGpuResources(ResourceManager::TextureResources);
    manager.reloadGpuResources(ResourceManager::TextureResources);
    EXPECT_EQ(journal, (Journal{"release texture Z", "release texture unnamed", "upload texture Z",
                                "upload texture unnamed"}));
    EXPECT_NE(manager.getTexture("Z")->getGLName(), static_cast<uint32_t>(-1));
}

TEST_F(ResourceManagerGL, DestructorDeletesTexturesInVectorOrderThenTheRestInIdOrder)
{
    Journal journal;
    const int live = GLTexture::liveCount();
    {
        ResourceManager manager;
        manager.registerSound("S2", new JournalSound(journal, "S2"));
        manager.registerMusic("M2", new JournalMusic(journal, "M2"));
        manager.registerFont("F2", new JournalFont(journal, "F2"));
        manager.registerTexture("Z", new JournalTexture(journal, "Z"));
        manager.addTexture(new JournalTexture(journal, "unnamed"));
        manager.registerTexture("A", new JournalTexture(journal, "A"));
        manager.registerSound("S1", new JournalSound(journal, "S1"));
        manager.registerMusic("M1", new JournalMusic(journal, "M1"));
        manager.registerFont("F1", new JournalFont(journal, "F1"));
        EXPECT_EQ(GLTexture::liveCount(), live + 3);
    }
    EXPECT_EQ(journal, (Journal{"delete texture Z", "delete texture unnamed", "delete texture A",
                                "delete font F1", "delete font F2", "delete music M1", "delete music M2",
                                "delete sound S1", "delete sound S2"}));
    EXPECT_EQ(GLTexture::liveCount(), live);
}

TEST_F(ResourceManagerGL, TextureForFileSharesOnlyAPlainLoadOfTheSameFile)
{
    ResourceManager manager;
    const std::string room = fixture("room.jpg");
    auto* registered = new GLTexture(room);
    manager.registerTexture("ROOM", registered);
    auto* filtered = new GLTexture(fixture("opaque32.png"), nullptr, GLTexture::DropImage);
    manager.addTexture(filtered);
    const int live = GLTexture::liveCount();

    CaptureStdout();
    EXPECT_EQ(manager.textureForFile(room), registered);
    EXPECT_EQ(manager.textureForFile(room), registered);
    EXPECT_EQ(GLTexture::liveCount(), live);
    // A texture whose picture was dropped cannot stand for a plain load.
    GLTexture* opaque = manager.textureForFile(fixture("opaque32.png"));
    EXPECT_NE(opaque, filtered);
    EXPECT_EQ(manager.textureForFile(fixture("opaque32.png")), opaque);
    GLTexture* other = manager.textureForFile(fixture("room.JPEG"));
    GetCapturedStdout();
    EXPECT_NE(other, registered);
    EXPECT_EQ(GLTexture::liveCount(), live + 2);
    ASSERT_NE(other->getImage(), nullptr);
    EXPECT_EQ(other->getWidth(), 64);
}
