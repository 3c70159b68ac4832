#include "engine/store/ConfigFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const std::string absent = "<absent>";

class ConfigFileTest : public testing::Test {
protected:
    std::unique_ptr<ConfigFile> read(const std::string& text)
    {
        return std::make_unique<ConfigFile>(tmp.write("GameParameters.cfg", text));
    }

    TempFolder tmp;
};

} // namespace

// ---- File format -------------------------------------------------------------

TEST_F(ConfigFileTest, KeyValueLinesCommentsAndLastWins)
{
    const auto cfg = read("# heading comment\n"
                          "a = 1 # note\n"
                          "  spaced key\t=\t value with  inner  spaces  \n"
                          "x = 3\n"
                          "x = 4\n"
                          "\n"
                          "no separator here\n"
                          "eq = b = c\n"
                          "empty =\n"
                          "Case = upper\n"
                          " = nameless\n"
                          "hash = before#after\n");
    EXPECT_EQ(cfg->getParamString("a", absent), "1");
    EXPECT_EQ(cfg->getParamString("spaced key", absent), "value with  inner  spaces");
    EXPECT_EQ(cfg->getParamString("x", absent), "4");
    EXPECT_EQ(cfg->getParamString("no separator here", absent), absent);
    EXPECT_EQ(cfg->getParamString("eq", absent), "b = c");
    EXPECT_EQ(cfg->getParamString("empty", absent), "");
    EXPECT_EQ(cfg->getParamString("case", absent), absent);  // keys are case-sensitive
    EXPECT_EQ(cfg->getParamString("Case", absent), "upper");
    EXPECT_EQ(cfg->getParamString("", absent), "nameless");
    EXPECT_EQ(cfg->getParamString("hash", absent), "before");
    EXPECT_EQ(cfg->getParamString("# heading comment", absent), absent);
}

TEST_F(ConfigFileTest, ContinuationLines)
{
    const auto cfg = read("text = first\n"
                          "second part\n"
                          "next = one\n"
                          "# only a comment\n"
                          "two   # with a comment\n"
                          "\n"
                          "stray line after a blank\n"
                          "indented = a\n"
                          "   b  \n"
                          "last = x\n"
                          "y\n");
    EXPECT_EQ(cfg->getParamString("text", absent), "first\nsecond part");
    EXPECT_EQ(cfg->getParamString("next", absent), "one\ntwo");  // the comment line adds nothing
    EXPECT_EQ(cfg->getParamString("indented", absent), "a\n   b");  // inner lines keep their indent
    EXPECT_EQ(cfg->getParamString("last", absent), "x\ny");          // continuation up to the end of file

    // A "=" in the comment of a continuation line makes no new key: the line,
    // its comment cut, still continues the value.
    const auto commented = read("text = first\n"
                                "second# was: text = old\n"
                                "third\n"
                                "k = v\n");
    EXPECT_EQ(commented->getParamString("text", absent), "first\nsecond\nthird");
    EXPECT_EQ(commented->getParamString("k", absent), "v");

    // A blank line ends the value; what follows is an ordinary line.
    const auto blank = read("text = first\n\nsecond part\nk = v\n");
    EXPECT_EQ(blank->getParamString("text", absent), "first");
    EXPECT_EQ(blank->getParamString("k", absent), "v");
}

TEST_F(ConfigFileTest, EndMarkerStopsReading)
{
    const auto cfg = read("before = 1\n"
                          "# EndConfigFile inside a comment does not count\n"
                          "multi = a\n"
                          "b\n"
                          "  EndConfigFile  \n"
                          "after = 2\n");
    EXPECT_EQ(cfg->getParamString("before", absent), "1");
    EXPECT_EQ(cfg->getParamString("multi", absent), "a\nb");  // the marker also ends a value
    EXPECT_EQ(cfg->getParamString("after", absent), absent);

    const auto inLine = read("k = 1 EndConfigFile\nafter = 2\n");
    EXPECT_EQ(inLine->getParamString("k", absent), absent);  // a line with the marker is not stored
    EXPECT_EQ(inLine->getParamString("after", absent), absent);
}

TEST_F(ConfigFileTest, AFileCutBeforeItsEndMarkerKeepsItsKeysAndSaysSo)
{
    testing::internal::CaptureStdout();
    const auto cut = read("a = 1\nb = 2\nc = ");
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(cut->getParamString("b", absent), "2");
    EXPECT_NE(said.find("GameParameters.cfg"), std::string::npos) << said;
    EXPECT_NE(said.find("cut short"), std::string::npos) << said;

    testing::internal::CaptureStdout();
    read("a = 1\nEndConfigFile\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(ConfigFileTest, CrlfFilesReadLikeLfFiles)
{
    const auto cfg = read("a = 1\r\n"
                          "text = first\r\n"
                          "second\r\n"
                          "\r\n"
                          "n = 42\r\n"
                          "EndConfigFile\r\n"
                          "after = 1\r\n");
    EXPECT_EQ(cfg->getParamString("a", absent), "1");
    EXPECT_EQ(cfg->getParamString("text", absent), "first\nsecond");
    EXPECT_EQ(cfg->getParamInt("n", -1), 42);
    EXPECT_EQ(cfg->getParamString("after", absent), absent);
}

TEST_F(ConfigFileTest, OtherSeparatorCommentAndEndMarker)
{
    const std::string path = tmp.write("custom.cfg", "b = 2\na: 1 ; note\nc: x\ny\nSTOP\nd: 4\n");
    const ConfigFile cfg(path, true, ":", ";", "STOP");
    EXPECT_EQ(cfg.getParamString("a", absent), "1");
    EXPECT_EQ(cfg.getParamString("b = 2", absent), absent);
    EXPECT_EQ(cfg.getParamString("c", absent), "x\ny");
    EXPECT_EQ(cfg.getParamString("d", absent), absent);

    // No end marker and no comment mark: everything is read, the usual
    // marker line being an ordinary continuation.
    const ConfigFile open(tmp.write("open.cfg", "a = 1 # kept\nEndConfigFile\nb = 2\n"), true, "=", "", "");
    EXPECT_EQ(open.getParamString("a", absent), "1 # kept\nEndConfigFile");
    EXPECT_EQ(open.getParamString("b", absent), "2");
}

TEST_F(ConfigFileTest, MissingFileThrowsWithItsName)
{
    const std::string path = tmp.missing("nowhere.cfg");
    try {
        ConfigFile cfg(path);
        FAIL() << "no exception";
    } catch (const ConfigFile::file_not_found& e) {
        EXPECT_EQ(e.getFileName(), path);
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
    // Without loading nothing is read and nothing is thrown.
    const ConfigFile unloaded(path, false);
    EXPECT_EQ(unloaded.getParamString("a", absent), absent);
    EXPECT_EQ(unloaded.getFileName(), path);
}

// ---- Typed getters ----------------------------------------------------------

TEST_F(ConfigFileTest, IntsReadTheLeadingNumberElseTheDefault)
{
    const auto cfg = read("spaced =  42 \nunit = 12ms\nneg = -7\nplus = +8\nword = abc\nempty =\n"
                          "huge = 99999999999\nfloat = 2.9\nhex = 0x10\n");
    EXPECT_EQ(cfg->getParamInt("spaced", -1), 42);
    EXPECT_EQ(cfg->getParamInt("unit", -1), 12);
    EXPECT_EQ(cfg->getParamInt("neg", -1), -7);
    EXPECT_EQ(cfg->getParamInt("plus", -1), 8);
    EXPECT_EQ(cfg->getParamInt("float", -1), 2);
    EXPECT_EQ(cfg->getParamInt("hex", -1), 0);
    EXPECT_EQ(cfg->getParamInt("word", -1), -1);
    EXPECT_EQ(cfg->getParamInt("empty", -1), -1);
    EXPECT_EQ(cfg->getParamInt("huge", -1), -1);
    EXPECT_EQ(cfg->getParamInt("absent", 5), 5);
}

TEST_F(ConfigFileTest, FloatsReadTheLeadingNumberElseTheDefault)
{
    const auto cfg = read("f = 2.5s\nexp = -1.5e2\nint = 3\nword = fast\nhuge = 1e999\n");
    EXPECT_FLOAT_EQ(cfg->getParamFloat("f", -1.0f), 2.5f);
    EXPECT_FLOAT_EQ(cfg->getParamFloat("exp", -1.0f), -150.0f);
    EXPECT_FLOAT_EQ(cfg->getParamFloat("int", -1.0f), 3.0f);
    EXPECT_FLOAT_EQ(cfg->getParamFloat("word", -1.0f), -1.0f);
    EXPECT_FLOAT_EQ(cfg->getParamFloat("huge", -1.0f), -1.0f);
    EXPECT_FLOAT_EQ(cfg->getParamFloat("absent", 0.25f), 0.25f);
    EXPECT_FLOAT_EQ(stringToFloat(" 0.5x"), 0.5f);
    EXPECT_FLOAT_EQ(stringToFloat("x"), 0.0f);
}

TEST_F(ConfigFileTest, BoolsAreFalseOnlyForTheNegativeWords)
{
    const auto cfg = read("no = no\nNone = None\nzero = 0\nF = f\nFALSE = FaLsE\nN = n\n"
                          "yes = yes\nstop = false.\nempty =\nminus = -1\non = ON\nzeros = 00\n");
    for (const char* key : {"no", "None", "zero", "F", "FALSE", "N"})
        EXPECT_FALSE(cfg->getParamBool(key, true)) << key;
    for (const char* key : {"yes", "stop", "empty", "minus", "on", "zeros"})
        EXPECT_TRUE(cfg->getParamBool(key, false)) << key;
    EXPECT_TRUE(cfg->getParamBool("absent", true));
    EXPECT_FALSE(cfg->getParamBool("absent", false));
    EXPECT_TRUE(stringToBool(" no"));  // the whole text counts, untrimmed
}

// ---- The game's table -------------------------------------------------------

TEST_F(ConfigFileTest, TwoArgumentFormsReadTheInstalledTable)
{
    ASSERT_EQ(gameParameters(), nullptr);
    testing::internal::CaptureStdout();
    EXPECT_EQ(getParamInt("Unset.Key", 7), 7);
    EXPECT_EQ(getParamString("Unset.Key", "s"), "s");  // the same key warns once
    EXPECT_TRUE(getParamBool("Unset.Other", true));
    EXPECT_FLOAT_EQ(getParamFloat("Unset.Other", 1.5f), 1.5f);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;
    EXPECT_NE(out.find("Unset.Key"), std::string::npos);
    EXPECT_NE(out.find("Unset.Other"), std::string::npos);

    const auto cfg = read("Points.ItemFound = 100\nGame.Name = Q\nFlag = no\nScale = 0.5\n");
    setGameParameters(cfg.get());
    EXPECT_EQ(gameParameters(), cfg.get());
    testing::internal::CaptureStdout();
    EXPECT_EQ(getParamInt("Points.ItemFound", 0), 100);
    EXPECT_EQ(getParamString("Game.Name", ""), "Q");
    EXPECT_FALSE(getParamBool("Flag", true));
    EXPECT_FLOAT_EQ(getParamFloat("Scale", 1.0f), 0.5f);
    EXPECT_EQ(getParamInt("Missing", 3), 3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // a missing key is silent
    setGameParameters(nullptr);
    EXPECT_EQ(gameParameters(), nullptr);
}
