#include "tests/e2e/EndToEndTest.h"

void EndToEndTest::SetUp()
{
    DrivenAppTest::SetUp();
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = scratchFolder(std::string("e2e-") + info->test_suite_name() + "-" + info->name());
}

StageScreen* EndToEndTest::showStage(const std::string& name, Color fill)
{
    auto* screen = new StageScreen(name, driver.log());
    screen->setFill(fill);
    app->showScreen(screen);
    return screen;
}

BmpImage EndToEndTest::capture(const std::string& name)
{
    const std::string path = folder + "/" + name + ".bmp";
    EXPECT_TRUE(driver.shot(path)) << "no frame written to " << path << "\n" << LOG_TEXT;
    return BmpImage(path);
}

bool EndToEndTest::stepUntil(const std::function<bool()>& done, int maxFrames)
{
    for (int i = 0; i < maxFrames; ++i) {
        if (done())
            return true;
        if (!driver.step())
            return false;
    }
    return done();
}

std::vector<std::string> EndToEndTest::lines(std::initializer_list<std::string> prefixes, int from)
{
    std::vector<std::string> out;
    const std::vector<HookLogEntry>& entries = driver.log().entries();
    for (size_t i = from < 0 ? 0 : static_cast<size_t>(from); i < entries.size(); ++i)
        for (const std::string& p : prefixes)
            if (entries[i].text.compare(0, p.size(), p) == 0) {
                out.push_back(entries[i].text);
                break;
            }
    return out;
}

int EndToEndTest::count(const std::string& text)
{
    int n = 0;
    for (const HookLogEntry& e : driver.log().entries())
        if (e.text == text)
            ++n;
    return n;
}
