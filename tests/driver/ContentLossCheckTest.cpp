#include "tests/driver/ContentLossCheck.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using Change = ContentLossCheck::Change;

namespace {

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int exited(int code)
{
    return W_EXITCODE(code, 0);
}

} // namespace

TEST(ContentLossCheck, DamageOnlyTheStructuredTextAndExemptOnlyJpegMasks)
{
    const auto cases = ContentLossCheck::casesFor({"content/config/config.xml", "content/images/a.jpg",
                                                   "content/fonts/F.fnt", "content/config/GameParameters.cfg"});
    ASSERT_EQ(cases.size(), 10u);
    EXPECT_EQ(cases[0].change, Change::Missing);
    EXPECT_EQ(cases[1].change, Change::Half);
    EXPECT_EQ(cases[2].change, Change::Garbage);
    EXPECT_EQ(cases[3].file, "content/images/a.jpg");
    EXPECT_EQ(cases[3].change, Change::Missing);
    EXPECT_EQ(cases[4].file, "content/fonts/F.fnt");
    EXPECT_EQ(cases[9].change, Change::Garbage);

    EXPECT_TRUE(ContentLossCheck::absenceIsSilent("content/images/menus/Sky_.jpg"));
    EXPECT_TRUE(ContentLossCheck::absenceIsSilent("content/images/X_.JPEG"));
    EXPECT_FALSE(ContentLossCheck::absenceIsSilent("content/images/menus/Sky.jpg"));
    EXPECT_FALSE(ContentLossCheck::absenceIsSilent("content/images/cursor_.png"));
}

TEST(ContentLossCheck, JudgesCrashesSilenceAndRefusals)
{
    const ContentLossCheck::Case missing{"content/fonts/Arial14.fnt", Change::Missing};
    const ContentLossCheck::Case half{"content/config/sfx.xml", Change::Half};
    const ContentLossCheck::Case required{"content/config/GameParameters.cfg", Change::Missing};

    EXPECT_EQ(ContentLossCheck::judge(missing, exited(0), "font: cannot read content/fonts/Arial14.fnt\n"), "");
    EXPECT_NE(ContentLossCheck::judge(missing, exited(0), "all is well\n"), "");
    EXPECT_EQ(ContentLossCheck::judge({"content/images/a_.jpg", Change::Missing}, exited(0), ""), "");
    EXPECT_EQ(ContentLossCheck::judge(half, exited(0), "sfx: \"content/config/sfx.xml\" is malformed\n"), "");
    EXPECT_NE(ContentLossCheck::judge(half, exited(0), ""), "");
    EXPECT_EQ(ContentLossCheck::judge({"", Change::None}, exited(0), ""), "");
    EXPECT_NE(ContentLossCheck::judge(half, W_EXITCODE(0, SIGSEGV), "").find("signal 11"), std::string::npos);
    EXPECT_NE(ContentLossCheck::judge(half, exited(ContentLossCheck::Refused), "missing sfx.xml"), "");
    EXPECT_NE(ContentLossCheck::judge(half, exited(1), "ASan report"), "");
    EXPECT_NE(ContentLossCheck::judge(half, exited(ContentLossCheck::NoStartScreen), ""), "");

    EXPECT_EQ(ContentLossCheck::judge(required, exited(ContentLossCheck::Refused),
                                      "missing content/config/GameParameters.cfg\n"),
              "");
    EXPECT_NE(ContentLossCheck::judge(required, exited(ContentLossCheck::Refused), "no start\n"), "");
}

TEST(ContentLossCheck, ChangesTheSlotCopyAndNeverTheRealFile)
{
    const fs::path dir = fs::temp_directory_path() / ("content-loss-test-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "real/content/config");
    fs::create_directories(dir / "slot/content/config");
    const fs::path real = dir / "real/content/config/a.xml";
    const std::string text = "<Root><Item id=\"1\" /></Root>\n";
    std::ofstream(real, std::ios::binary) << text;
    const fs::path copy = dir / "slot/content/config/a.xml";
    fs::create_hard_link(real, copy);
    const std::string slot = (dir / "slot").string();

    for (Change change : {Change::Half, Change::Garbage, Change::Missing}) {
        ASSERT_TRUE(ContentLossCheck::applyChange(slot, real.string(), {"content/config/a.xml", change}, 7));
        EXPECT_EQ(slurp(real), text) << ContentLossCheck::changeName(change);
        if (change == Change::Missing)
            EXPECT_FALSE(fs::exists(copy));
        else if (change == Change::Half)
            EXPECT_EQ(slurp(copy), text.substr(0, text.size() / 2));
        else
            EXPECT_EQ(slurp(copy).size(), text.size());
        ASSERT_TRUE(ContentLossCheck::restore(slot, real.string(), "content/config/a.xml"));
        EXPECT_EQ(slurp(copy), text);
        EXPECT_TRUE(fs::equivalent(copy, real));
    }
    fs::remove_all(dir);
}
