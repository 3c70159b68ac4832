// Conversations without a window: the file formats, the steps, the typing in
// step with the voice, the speakers' clips and the faults the parser and
// the player guard against. Time is the fake application's stepped clock.
#include "frontend/DialogCharacterSet.h"
#include "frontend/DialogFile.h"
#include "frontend/DialogSequence.h"
#include "frontend/MyDialog.h"
#include "frontend/DialogListener.h"
#include "engine/ui/AnimationPlayer.h"
#include "game/PlayerProfiles.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/AnimationTestSupport.h"
#include "tests/ui/TestWidgets.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct FinishLog : DialogListener {
    std::vector<int> ids;
    void onDialogFinished(int id) override { ids.push_back(id); }
};

class DialogTest : public ::testing::Test {
protected:
    void TearDown() override { PlayerProfiles::destroyInstance(); }

    // Runs the dialog's updates for `ms`, 1 ms at a time.
    void run(Dialog& dialog, int ms)
    {
        for (int i = 0; i < ms; ++i) {
            FakeAppContext::advance(1);
            dialog.update(1, nullptr);
        }
    }
    // A characters file: ids 0 and 1 with every clip the fixture MoveX
    // (1000 ms) except 1's end-talk clip, which does not exist.
    std::string charactersFile()
    {
        const std::string clip = animFixture("MoveX.xml");
        std::string xml = "<Characters><Defaults path=\"\"/>";
        for (int id = 0; id < 2; ++id) {
            xml += "<Character id=\"" + std::to_string(id) + "\" name=\"C" + std::to_string(id) + "\">";
            xml += "<EntryAnimation file=\"" + clip + "\"/><BeginTalkAnimation file=\"" + clip + "\"/>";
            xml += "<EndTalkAnimation file=\"" + (id == 0 ? clip : folder.path("none.xml")) + "\"/>";
            xml += "<LeaveAnimation file=\"" + clip + "\"/></Character>";
        }
        return folder.write("Characters.xml", xml + "</Characters>");
    }
    static DialogStep talk(int character, int timeout = -1)
    {
        DialogStep s;
        s.kind = DialogStep::Talk;
        s.character = character;
        s.textLabel = "LINE";
        s.timeout = timeout;
        return s;
    }

    FakeAppContext app;
    TempFolder folder;
    CallLog log;
    std::unique_ptr<TestScreen> screen = std::make_unique<TestScreen>(&log);
    AnimationPlayer player;
};

} // namespace

TEST_F(DialogTest, ALineOf20BytesWithA6000MsVoiceTypesOneByteEvery50Ms)
{
    DialogCharacter who(nullptr);
    DialogStep step = talk(0);
    step.text = "abcdefghijklmnopqrst";
    who.sayWithVoice(&step, false, 6000, false);
    EXPECT_EQ(who.getShownText(), "a");
    for (int ms = 1; ms <= 949; ++ms) {
        FakeAppContext::advance(1);
        who.poll();
    }
    EXPECT_EQ(who.getShownText().size(), 19u);
    FakeAppContext::advance(1);
    who.poll();
    EXPECT_EQ(who.getShownText().size(), 20u);
    EXPECT_TRUE(who.isTyping());
    for (int ms = 0; ms < 50; ++ms) {
        FakeAppContext::advance(1);
        who.poll();
    }
    EXPECT_FALSE(who.isTyping());
    EXPECT_EQ(who.getShownText(), step.text);

    // Without a voice the line shows whole at once.
    who.sayWithVoice(&step, false, 0, false);
    EXPECT_EQ(who.getShownText(), step.text);
    EXPECT_FALSE(who.isTyping());
}

TEST_F(DialogTest, BoxesAreReadOnlyWhenGivenAndRepositionsAddUpWhileTheLastPlaceHolds)
{
    const std::string characters = folder.write(
        "C.xml", "<Characters><Character id=\"0\" name=\"Velmor\"><NameBox x=\"10\" y=\"20\" w=\"300\" h=\"30\"/>"
                 "</Character><Character id=\"0\" name=\"Twin\"/><Character id=\"1\" name=\"Mirren\">"
                 "<TextBox x=\"1\" y=\"2\" w=\"3\" h=\"4\"/></Character></Characters>");
    DialogFile::Conversation c;
    ASSERT_TRUE(DialogFile::parseConversation(
        "<Dialog><Characters file=\"" + characters + "\"/><Reposition>"
        "<Character id=\"0\" x=\"40\" y=\"180\"/><Character id=\"7\" x=\"1\" y=\"1\"/>"
        "<Character id=\"0\" x=\"5\" y=\"6\"/><Character x=\"9\" y=\"9\"/></Reposition></Dialog>",
        "inline", c));
    MyDialog dialog(c, &player, 0, nullptr, screen.get());
    ASSERT_NE(dialog.getCharacters(), nullptr);
    EXPECT_EQ(dialog.getCharacters()->characters().size(), 2u);
    const DialogCharacter* velmor = dialog.getCharacters()->find(0);
    ASSERT_NE(velmor, nullptr);
    EXPECT_EQ(velmor->name, "Velmor");
    EXPECT_EQ(velmor->nameBox.x, 10 + 40 + 5);
    EXPECT_EQ(velmor->nameBox.y, 20 + 180 + 6);
    EXPECT_EQ(velmor->nameBox.w, 300);
    EXPECT_EQ(velmor->textBox.x, 45);  // a zero box, moved the same
    EXPECT_EQ(velmor->textBox.w, 0);
    EXPECT_EQ(velmor->posX, 5);
    EXPECT_EQ(velmor->posY, 6);
    const DialogCharacter* mirren = dialog.getCharacters()->find(1);
    EXPECT_EQ(mirren->textBox.w, 3);
    EXPECT_EQ(mirren->nameBox.w, 0);
}

TEST_F(DialogTest, TheNameReplacesPercentSAndNoOtherPercentIsAFormat)
{
    EXPECT_EQ(Dialog::substituteName("Hi %s, 100%% %d", "Ann"), "Hi Ann, 100% %d");
    EXPECT_EQ(Dialog::substituteName("%s and %s%", "Bo"), "Bo and Bo%");
    EXPECT_EQ(Dialog::substituteName("plain 50%", "Bo"), "plain 50%");

    DialogFile::Conversation none;
    MyDialog dialog(none, &player, 0, nullptr, screen.get());
    std::string text = "Hi %s!";
    dialog.formatText(text);
    EXPECT_EQ(text, "Hi !") << "no current player: an empty name";
    PlayerProfiles::instance()->addProfile("Ann", 0);
    PlayerProfiles::instance()->select(0);
    text = "Hi %s, 100%% %d";
    dialog.formatText(text);
    EXPECT_EQ(text, "Hi Ann, 100% %d");
}

TEST_F(DialogTest, TheSameSpeakerBeginsOnceAndAChangeEndsTheOldOneFirst)
{
    DialogFile::Conversation c;
    c.charactersFile = charactersFile();
    c.hasSequence = true;
    c.steps = {talk(0, 0), talk(0, 0), talk(1, 0), talk(0, -1)};
    FinishLog finished;
    MyDialog dialog(c, &player, 9, &finished, screen.get());
    dialog.setPaused(false);
    DialogCharacter* first = dialog.getCharacters()->find(0);
    DialogCharacter* second = dialog.getCharacters()->find(1);

    run(dialog, 1);
    EXPECT_EQ(dialog.speaker(), 0);
    const Animation2D* begin = player.findAnimation(first->animationId(DialogCharacter::BeginTalkKind));
    ASSERT_NE(begin, nullptr);
    run(dialog, 1);
    EXPECT_EQ(player.findAnimation(first->animationId(DialogCharacter::BeginTalkKind)), begin) << "played again";

    run(dialog, 1);
    EXPECT_EQ(dialog.speaker(), 1);
    EXPECT_TRUE(first->isOnScreen(DialogCharacter::EndTalkKind));
    EXPECT_FALSE(first->isOnScreen(DialogCharacter::BeginTalkKind));
    EXPECT_NE(player.findAnimation(first->animationId(DialogCharacter::EndTalkKind)), nullptr);
    EXPECT_TRUE(second->isOnScreen(DialogCharacter::BeginTalkKind));
    EXPECT_NE(player.findAnimation(second->animationId(DialogCharacter::BeginTalkKind)), nullptr);

    // Back to 0: 1 has no end-talk clip (the pause after its talk is 0), and
    // 0 shows its new line at full strength.
    run(dialog, 1);
    EXPECT_EQ(dialog.speaker(), 0);
    EXPECT_FALSE(second->isOnScreen(DialogCharacter::EndTalkKind));
    EXPECT_EQ(first->getTextAlpha(), 255);
    // A click step: nothing ends it but the continue button.
    run(dialog, 500);
    EXPECT_TRUE(dialog.isWaiting());
    EXPECT_TRUE(finished.ids.empty());
    dialog.requestAdvance();
    run(dialog, 1);
    EXPECT_TRUE(dialog.isEnded());
    EXPECT_EQ(finished.ids, std::vector<int>{9});
    run(dialog, 10);
    EXPECT_EQ(finished.ids.size(), 1u);
    for (const auto& entry : dialog.getCharacters()->characters())
        entry.second->releaseAnimations();
}

TEST_F(DialogTest, ADialogWithoutStepsOrFileFinishesAtItsFirstUpdate)
{
    const std::vector<std::string> files = {
        folder.write("empty.xml", "<Dialog><Sequence/></Dialog>"),
        folder.write("nosequence.xml", "<Dialog><Sound sfx=\"\"/></Dialog>"),
        folder.write("wrongroot.xml", "<Talk/>"),
        folder.path("missing.xml"),
    };
    for (const std::string& file : files) {
        FinishLog finished;
        MyDialog dialog(file, &player, 3, &finished, screen.get());
        run(dialog, 5);
        EXPECT_TRUE(finished.ids.empty()) << file << ": finished while paused";
        dialog.setPaused(false);
        run(dialog, 1);
        EXPECT_EQ(finished.ids, std::vector<int>{3}) << file;
    }
}

TEST_F(DialogTest, StepsOfUnknownNamesOrContinueValuesWaitForAClickAndCommentsAreNotSteps)
{
    DialogFile::Conversation c;
    ASSERT_TRUE(DialogFile::parseConversation(
        "<Dialog><Sequence><!-- a note --><Enter character=\"0\" continue=\"timeout\" timeout=\"250\"/>"
        "<Talk character=\"4\" continue=\"later\" textLabel=\"X\"/><Wave character=\"0\" continue=\"click\"/>"
        "</Sequence></Dialog>",
        "inline", c));
    ASSERT_EQ(c.steps.size(), 3u);
    EXPECT_EQ(c.steps[0].kind, DialogStep::Enter);
    EXPECT_EQ(c.steps[0].timeout, 250);
    EXPECT_EQ(c.steps[1].kind, DialogStep::Talk);
    EXPECT_EQ(c.steps[1].textLabel, "X");
    EXPECT_EQ(c.steps[1].character, -1);
    EXPECT_EQ(c.steps[1].timeout, -1);
    EXPECT_EQ(c.steps[2].kind, DialogStep::Unknown);

    // None of these names a known character: the steps still run.
    FinishLog finished;
    MyDialog dialog(c, &player, 1, &finished, screen.get());
    dialog.setPaused(false);
    run(dialog, 1);
    run(dialog, 250);
    EXPECT_EQ(dialog.getSequence()->nextIndex(), 2u);
    EXPECT_EQ(dialog.speaker(), -1);
    dialog.requestAdvance();
    run(dialog, 1);
    dialog.requestAdvance();
    run(dialog, 1);
    EXPECT_EQ(finished.ids, std::vector<int>{1});
}
