// The script text and key names of the headless driver, and the checks the
// driver makes before it runs a script. No window.
#include "tests/driver/DriverScript.h"
#include "tests/driver/HeadlessDriver.h"
#include "tests/driver/KeyNames.h"

#include <SDL.h>
#include <gtest/gtest.h>

TEST(DriverScript, SplitsWordsQuotesCommentsAndKeepsLineNumbers)
{
    std::vector<ScriptLine> lines;
    std::string error;
    ASSERT_TRUE(DriverScript::parse("# heading\n\nstep 3\n  shot \"a b/c.bmp\"  # trailing\r\nkey #278\n",
                                    lines, error));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[0].words, (std::vector<std::string>{"step", "3"}));
    EXPECT_EQ(lines[1].number, 4);
    EXPECT_EQ(lines[1].words, (std::vector<std::string>{"shot", "a b/c.bmp"}));
    // A raw key code after a command is a word, not a comment.
    EXPECT_EQ(lines[2].words, (std::vector<std::string>{"key", "#278"}));
}

TEST(DriverScript, UnterminatedQuoteNamesTheLineAndKeepsTheOutput)
{
    std::vector<ScriptLine> lines(1);
    std::string error;
    EXPECT_FALSE(DriverScript::parse("step\nshot \"open\n", lines, error));
    EXPECT_EQ(error, "line 2: unterminated quote");
    EXPECT_EQ(lines.size(), 1u);
}

TEST(DriverScript, NumbersAreWholeDecimalWords)
{
    int v = 7;
    EXPECT_TRUE(DriverScript::toInt("-12", v));
    EXPECT_EQ(v, -12);
    EXPECT_FALSE(DriverScript::toInt("12x", v));
    EXPECT_FALSE(DriverScript::toInt("", v));
    EXPECT_FALSE(DriverScript::toInt("+3", v));
    EXPECT_FALSE(DriverScript::toInt("99999999999", v));
    EXPECT_EQ(v, -12);
}

TEST(KeyNames, ChordsGiveSdlKeysModifiersAndUnicode)
{
    KeyChord c;
    ASSERT_TRUE(KeyNames::parse("F8", c));
    EXPECT_EQ(c.key, 289);
    EXPECT_EQ(c.modifiers, 0);
    EXPECT_EQ(c.unicode, 0);

    ASSERT_TRUE(KeyNames::parse("shift+f8", c));
    EXPECT_EQ(c.key, 289);
    EXPECT_EQ(c.modifiers, KMOD_LSHIFT);

    ASSERT_TRUE(KeyNames::parse("Alt+Return", c));
    EXPECT_EQ(c.key, 13);
    EXPECT_EQ(c.modifiers, KMOD_LALT);
    EXPECT_EQ(c.unicode, 13);

    ASSERT_TRUE(KeyNames::parse("ralt+F4", c));
    EXPECT_EQ(c.key, 285);
    EXPECT_EQ(c.modifiers, KMOD_RALT);

    ASSERT_TRUE(KeyNames::parse("a", c));
    EXPECT_EQ(c.key, 'a');
    EXPECT_EQ(c.unicode, 'a');
    ASSERT_TRUE(KeyNames::parse("shift+a", c));
    EXPECT_EQ(c.key, 'a');
    EXPECT_EQ(c.unicode, 'A');

    ASSERT_TRUE(KeyNames::parse("ctrl++", c));
    EXPECT_EQ(c.key, '+');
    EXPECT_EQ(c.modifiers, KMOD_LCTRL);

    ASSERT_TRUE(KeyNames::parse("#278", c));
    EXPECT_EQ(c.key, SDLK_HOME);
}

TEST(KeyNames, UnknownNamesAndModifiersAreRefused)
{
    KeyChord c;
    c.key = 99;
    EXPECT_FALSE(KeyNames::parse("", c));
    EXPECT_FALSE(KeyNames::parse("F16", c));
    EXPECT_FALSE(KeyNames::parse("hyper+a", c));
    EXPECT_FALSE(KeyNames::parse("shift+", c));
    EXPECT_FALSE(KeyNames::parse("#0", c));
    EXPECT_FALSE(KeyNames::parse("returnx", c));
    EXPECT_EQ(c.key, 99);
}

TEST(HeadlessDriverScript, EveryLineIsCheckedBeforeAnyRuns)
{
    HeadlessDriver driver;
    EXPECT_FALSE(driver.runScript("log first\nfrobnicate 3\n"));
    EXPECT_EQ(driver.lastError(), "line 2: unknown command 'frobnicate'");
    EXPECT_TRUE(driver.log().entries().empty());

    EXPECT_FALSE(driver.runScript("log a\nkey\n"));
    EXPECT_EQ(driver.lastError(), "line 2: key takes 1 to 1 words, not 0");
    EXPECT_FALSE(driver.runScript("frame 3 bogus\n"));
    EXPECT_EQ(driver.lastError(), "line 1: unknown command 'bogus'");
    EXPECT_TRUE(driver.log().entries().empty());
}

TEST(HeadlessDriverScript, BadArgumentsStopTheScriptAtTheirLine)
{
    HeadlessDriver driver;
    EXPECT_FALSE(driver.runScript("log one\nkey hyper+x\nlog two\n"));
    EXPECT_EQ(driver.lastError(), "line 2: unknown key 'hyper+x'");
    ASSERT_GE(driver.log().entries().size(), 1u);
    EXPECT_EQ(driver.log().entries()[0].text, "one");
    EXPECT_EQ(driver.log().find("two"), -1);

    // Without a started loop, frame-running commands refuse.
    EXPECT_FALSE(driver.runScript("step 2\n"));
    EXPECT_EQ(driver.lastError(), "line 1: the loop is not running");
    EXPECT_FALSE(driver.runScript("mouse move 1\n"));
    EXPECT_EQ(driver.lastError(), "line 1: mouse move needs X and Y");
}

TEST(HeadlessDriverScript, InputCommandsQueueEventsForTheNextFrame)
{
    HeadlessDriver driver;
    ASSERT_TRUE(driver.runScript("key shift+F8\nmouse click 5 6 right\nmouse wheel down\nquit\nfocus lost\n"))
        << driver.lastError();
    // down+up, move+down+up, press+release of the wheel, quit, focus.
    EXPECT_EQ(driver.pendingEvents(), 9u);
    EXPECT_EQ(driver.now(), 1000u);
    ASSERT_TRUE(driver.runScript("stall 500\n"));
    EXPECT_EQ(driver.now(), 1500u);
}

TEST(HeadlessDriverScript, AddedCommandsRunWithTheirWords)
{
    HeadlessDriver driver;
    std::vector<std::string> seen;
    driver.addCommand("remember", 1, 2, [&seen](HeadlessDriver&, const std::vector<std::string>& args) {
        seen = args;
        return args[0] == "fail" ? std::string("asked to fail") : std::string();
    });
    ASSERT_TRUE(driver.runScript("remember x \"y z\"\n")) << driver.lastError();
    EXPECT_EQ(seen, (std::vector<std::string>{"x", "y z"}));
    EXPECT_FALSE(driver.runScript("remember fail\n"));
    EXPECT_EQ(driver.lastError(), "line 1: asked to fail");
    EXPECT_FALSE(driver.runScript("remember 1 2 3\n"));
}
