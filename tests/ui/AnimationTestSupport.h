#pragma once
// Helpers of the key-frame animation tests: fixture paths, a listener that
// records end reports, and small animation files written on the spot for
// cases the generated fixtures do not cover.
#include "engine/ui/AnimationPlayerListener.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

// A file of the generated fixtures ($QUILL_FIXTURES, scripts/gen-content.sh).
inline std::string animFixture(const std::string& name)
{
    const char* dir = std::getenv("QUILL_FIXTURES");
    return std::string(dir ? dir : "build/fixtures") + "/anim/" + name;
}

struct RecordingAnimationListener : AnimationPlayerListener {
    std::vector<int> finished;
    // Runs after the id is recorded.
    std::function<void(int)> then;

    void onAnimationFinished(int32_t id) override
    {
        finished.push_back(id);
        if (then)
            then(id);
    }
};

// An image key frame with the given position and alpha, all else natural.
inline std::string keyFrameXml(int t, float x, float y, int alpha = 255, float angle = 0.f)
{
    return "<KeyFrame TimeStamp=\"" + std::to_string(t) + "\" TypeInterpolator=\"0\" Type=\"0\" x=\"" +
           std::to_string(x) + "\" y=\"" + std::to_string(y) +
           "\" z=\"0\" ScaleX=\"100\" ScaleY=\"100\" Angle=\"" + std::to_string(angle) +
           "\" Red=\"255\" Green=\"255\" Blue=\"255\" Alpha=\"" + std::to_string(alpha) + "\" />";
}

// A clip with one object of the given image and key frames.
inline std::string clipXml(int length, bool loop, const std::string& image, const std::string& keyFrames,
                           int width = 64, int height = 64)
{
    return "<Scene name=\"Probe\" loop=\"" + std::string(loop ? "1" : "0") + "\" length=\"" +
           std::to_string(length) + "\">\n<Screen Width=\"" + std::to_string(width) + "\" Height=\"" +
           std::to_string(height) + "\" />\n<Object file=\"" + image + "\" type=\"0\">\n" + keyFrames +
           "\n</Object>\n</Scene>\n";
}

// A folder holding copies of the fixture images beside the clips written
// into it, since an animation's images sit in its own folder.
class ClipFolder : public TempFolder {
public:
    ClipFolder()
    {
        for (const char* image : {"red32.png", "blue32.png", "halfred32.png"})
            write(image, readAll(animFixture(image)));
    }

    static std::string readAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};
