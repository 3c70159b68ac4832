#include "tests/driver/StoryWalker.h"

#include "engine/store/FileSaveGame.h"
#include "engine/store/GenericEntry.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/TextInputWidget.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/ChapterTransition.h"
#include "frontend/CreditsScreen.h"
#include "frontend/CustomCheckBox.h"
#include "frontend/DialogScreen.h"
#include "frontend/DiaryScreen.h"
#include "frontend/MainMenu.h"
#include "frontend/MapLocation.h"
#include "frontend/MapOfKingdom.h"
#include "frontend/PlayerNameEntry.h"
#include "frontend/TavrinIntro.h"
#include "game/GameFlow.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "minigames/MiniGameBase.h"
#include "quillendar/QuillendarApp.h"
#include "scenes/HOScene.h"
#include "tests/driver/DriverScript.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/QuickFrames.h"
#include "tests/driver/SceneDriverSupport.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

// The game takes at most 30 ms in one frame; the loop's own wait adds 10.
constexpr uint32_t LongFrameMs = 30;
constexpr uint32_t LoopWaitMs = 10;
// Game time without any visible progress before the walk gives up.
constexpr uint64_t StallMs = 90000;
// Game time one walk may take at most (the whole story takes far less).
constexpr uint64_t WalkLimitMs = 4ull * 3600 * 1000;
// Credits end by themselves; after this long the walk presses OK.
constexpr uint64_t CreditsPatienceMs = 120000;

// What the save file holds of the current profile.
struct SavedStory {
    int flowIndex = -1;
    int score = 0;
    std::set<int> done;
};

// Reads the PLAYER_PROFILES record as PlayerProfiles writes it, keeping the
// current profile's flow index, score and done quests.
class ProfilesReader : public SaveGameEntry {
public:
    explicit ProfilesReader(SavedStory& into) : story(into) {}

    bool load(SaveGame& store) override
    {
        int32_t count = 0;
        if (!store.readInt32(count) || count < 0)
            return false;
        std::vector<std::vector<uint8_t>> blobs;
        for (int i = 0; i < count; ++i) {
            int32_t size = 0;
            if (!store.readInt32(size) || size < 0 || static_cast<size_t>(size) > store.bytesLeft())
                return false;
            blobs.emplace_back(static_cast<size_t>(size));
            if (size > 0 && !store.read(blobs.back().data(), blobs.back().size()))
                return false;
        }
        int32_t rows = 0;
        if (!store.readInt32(rows) || rows < 0)
            return false;
        for (int i = 0; i < rows; ++i) {
            int32_t size = 0;
            if (!store.readInt32(size) || size < 0 || static_cast<size_t>(size) > store.bytesLeft())
                return false;
            std::vector<uint8_t> skip(static_cast<size_t>(size));
            if (size > 0 && !store.read(skip.data(), skip.size()))
                return false;
        }
        int32_t current = -1;
        if (!store.readInt32(current) || current < 0 || current >= count)
            return false;
        std::string why;
        const std::vector<uint8_t>& blob = blobs[static_cast<size_t>(current)];
        std::unique_ptr<PlayerProfile> profile = PlayerProfile::fromBlob(blob.data(), blob.size(), why);
        if (!profile)
            return false;
        story.flowIndex = profile->getFlowIndex();
        story.score = profile->getScore();
        // Quest state: current id, count, then done/open/entered per quest.
        const std::vector<uint8_t>& quests = profile->getQuestState();
        for (size_t q = 0; 8 + 3 * q + 2 < quests.size(); ++q)
            if (quests[8 + 3 * q])
                story.done.insert(static_cast<int>(q));
        return true;
    }
    bool save(SaveGame&) override { return false; }

private:
    SavedStory& story;
};

// Loads the game's save file afresh, beside the running game's own store.
bool readSaveFile(QuillendarApp& app, SavedStory& out, std::string& error)
{
    auto* live = dynamic_cast<FileSaveGame*>(app.getSaveGame());
    if (!live) {
        error = "the game has no save file";
        return false;
    }
    FileSaveGame file(live->getPath(), &app);
    // The game's entries in their key order; the volumes and flags are only
    // read past.
    file.replaceEntry("FULL_SCREEN", std::make_unique<GenericEntry<char>>(char(0)));
    file.replaceEntry("HARDWARE_CURSOR", std::make_unique<GenericEntry<char>>(char(0)));
    file.replaceEntry("MUSIC_VOLUME", std::make_unique<GenericEntry<int>>(0));
    file.replaceEntry("PLAYER_PROFILES", std::make_unique<ProfilesReader>(out));
    file.replaceEntry("SOUND_VOLUME", std::make_unique<GenericEntry<int>>(0));
    if (!file.load()) {
        error = "the save file " + live->getPath() + " does not load";
        return false;
    }
    if (out.flowIndex < 0) {
        error = "the save file has no current profile";
        return false;
    }
    return true;
}

std::set<int> liveDone()
{
    std::set<int> done;
    QuestManager* quests = QuestManager::instance();
    for (int i = 0; i < quests->questCount(); ++i)
        if (quests->questAt(i)->done)
            done.insert(i);
    return done;
}

std::string ints(const std::set<int>& values)
{
    std::string out;
    for (int v : values)
        out += (out.empty() ? "" : ",") + std::to_string(v);
    return out;
}

bool shown(const Widget* w)
{
    return w && w->isVisible() && w->isEnabled();
}

Point centre(const Widget* w)
{
    const WidgetGeometry& g = w->getGeometry();
    return Point(g.x + g.w / 2, g.y + g.h / 2);
}

template <typename T>
T* findWidget(ScreenBase* screen, bool (*match)(T*, int), int arg)
{
    for (Widget* w : screen->getWidgetManager()->getWidgets())
        if (auto* typed = dynamic_cast<T*>(w))
            if (match(typed, arg))
                return typed;
    return nullptr;
}

class StoryWalker {
public:
    explicit StoryWalker(GameDriver& g) : game(g), driver(g.driver()) {}

    std::string name = "Walker";
    int mode = 0;
    int shots = 0;
    int checks = 0;
    bool creditsSeen = false;
    // From the epilogue on the story starts again: the flow and the quests
    // go back to their beginning.
    bool storyOver = false;

    // Walks until `arrived` holds; "" then, else why not (with the game
    // dump in the log).
    std::string walk(const std::function<bool()>& arrived)
    {
        const std::string error = walkOn(arrived);
        if (!error.empty())
            driver.log().add("walk failed; dump\n" + game.dumpGame());
        return error;
    }

    std::string walkOn(const std::function<bool()>& arrived)
    {
        round.clear();
        roundProgress.clear();
        stackSeen.clear();
        arrivedAs.clear();
        const uint64_t limit = driver.now() + WalkLimitMs;
        uint64_t lastMove = driver.now();
        std::string lastMark;
        while (!arrived()) {
            if (!driver.isRunning())
                return "walk: the game ended";
            if (driver.now() > limit)
                return "walk: the story took longer than its limit";
            std::string error = checkProgress();
            if (error.empty())
                error = checkRound();
            if (!error.empty())
                return error;
            const std::string mark = progressMark();
            if (mark != lastMark) {
                lastMark = mark;
                lastMove = driver.now();
            } else if (driver.now() - lastMove > StallMs) {
                return "walk: stalled at " + mark;
            }
            // Nobody sees the frames between two screenshots: they are
            // rasterised into one pixel.
            photograph();
            const QuickFrames quick(driver);
            error = act();
            if (!error.empty())
                return error;
        }
        return std::string();
    }

    bool atFlowScene(int index)
    {
        HOScene* scene = topScene(game);
        ScreenBase* top = game.app()->topScreen();
        if (!scene || top != scene || scene->getState() != ScreenBase::Running || GameFlow::instance()->index != index)
            return false;
        // The scene saves when its step starts, which may be after the
        // last check.
        SavedStory saved;
        std::string error;
        return readSaveFile(*game.app(), saved, error) && saved.flowIndex == index;
    }

    bool atMenuAfterCredits()
    {
        ScreenBase* top = game.app()->topScreen();
        return creditsSeen && dynamic_cast<MainMenu*>(top) && top->getState() == ScreenBase::Running;
    }

private:
    // Lets `ms` of game time pass in long frames drawn into one pixel.
    void pass(uint32_t ms)
    {
        const QuickFrames quick(driver);
        const uint64_t end = driver.now() + ms;
        while (driver.isRunning() && driver.now() < end) {
            driver.advanceTime(LongFrameMs - LoopWaitMs);
            driver.step();
        }
    }

    void click(Point p)
    {
        driver.click(p.x, p.y);
        driver.step(2);
    }

    std::string progressMark()
    {
        ScreenBase* top = game.app()->topScreen();
        std::string mark = GameDriver::className(top) + " flow " + std::to_string(GameFlow::instance()->index) +
                           " done " + ints(liveDone());
        if (HOScene* scene = topScene(game))
            mark += " scene " + std::to_string(scene->getSceneId()) + " step " + std::to_string(scene->getStepIndex()) +
                    " wanted " + game.stateValue("scene.wanted");
        if (auto* mini = dynamic_cast<MiniGameBase*>(top))
            mark += " puzzle " + mini->puzzleState();
        return mark;
    }

    // What a screen shows, for telling a screen that comes again: the class,
    // the scene and its step, the conversation, the minigame's quest.
    static std::string arrivalKey(ScreenBase* top)
    {
        std::string key = GameDriver::className(top);
        if (auto* scene = dynamic_cast<HOScene*>(top))
            key += " scene " + std::to_string(scene->getSceneId()) + " step " + std::to_string(scene->getStepIndex());
        else if (auto* talk = dynamic_cast<DialogScreen*>(top))
            key += " " + talk->getDialogPath();
        else if (auto* mini = dynamic_cast<MiniGameBase*>(top))
            key += " quest " + std::to_string(mini->getQuestId());
        return key;
    }

    // The story going round: a screen (or scene step) arrives that already
    // came since the flow or a quest last moved on, as when the map and a
    // scene keep opening each other. A screen counts as arriving when it is
    // a new one on top (entering, running or already leaving), not when it
    // is on top again after one over it closed; a scene also arrives at
    // each new step.
    std::string checkRound()
    {
        const std::string progress =
            "flow " + std::to_string(GameFlow::instance()->index) + " done " + ints(liveDone());
        if (progress != roundProgress) {
            roundProgress = progress;
            round.clear();
        }
        ScreenBase* top = game.app()->topScreen();
        const std::vector<ScreenBase*>& screens = game.app()->getScreens();
        const bool returned = std::count(stackSeen.begin(), stackSeen.end(), top) != 0;
        stackSeen = screens;
        for (auto it = arrivedAs.begin(); it != arrivedAs.end();)
            it = std::count(screens.begin(), screens.end(), it->first) ? std::next(it) : arrivedAs.erase(it);
        if (!top)
            return std::string();
        const std::string key = arrivalKey(top);
        if (returned && (!dynamic_cast<HOScene*>(top) || arrivedAs[top] == key))
            return std::string();
        arrivedAs[top] = key;
        const size_t again = static_cast<size_t>(std::find(round.begin(), round.end(), key) - round.begin());
        round.push_back(key);
        if (again + 1 == round.size())
            return std::string();
        std::string path;
        for (size_t i = again; i < round.size(); ++i)
            path += (path.empty() ? "" : " -> ") + round[i];
        return "walk: the story goes round without the flow or a quest moving on (" + progress + "): " + path;
    }

    // A new screen or scene step running: its picture through F8.
    void photograph()
    {
        ScreenBase* top = game.app()->topScreen();
        if (!top || top->getState() != ScreenBase::Running)
            return;
        std::string key = GameDriver::className(top) + "@" + std::to_string(reinterpret_cast<uintptr_t>(top));
        if (HOScene* scene = dynamic_cast<HOScene*>(top))
            key += "/" + std::to_string(scene->getStepIndex());
        if (key == lastShot)
            return;
        lastShot = key;
        driver.pressKey("f8");
        driver.step(2);
        ++shots;
        driver.log().add("walk: shot " + std::to_string(shots) + " of " + GameDriver::className(top) + " (flow " +
                         std::to_string(GameFlow::instance()->index) + ")");
    }

    // The save file after every move of the flow or the quests.
    std::string checkProgress()
    {
        const int flow = GameFlow::instance()->index;
        const std::set<int> done = liveDone();
        const PlayerProfile* profile = PlayerProfiles::instance()->currentProfile();
        if (profile) {
            if (mode == 0 && profile->getScore() != 0)
                return "walk: a casual profile scored " + std::to_string(profile->getScore());
            if (mode == 1 && profile->getScore() < lastScore && !storyOver)
                return "walk: the score fell from " + std::to_string(lastScore) + " to " +
                       std::to_string(profile->getScore());
            lastScore = profile->getScore();
        }
        if (flow == checkedFlow && done == checkedDone)
            return std::string();
        checkedFlow = flow;
        checkedDone = done;
        if (!profile)
            return std::string();
        SavedStory saved;
        std::string error;
        if (!readSaveFile(*game.app(), saved, error))
            return "walk: " + error;
        if (!storyOver) {
            if (saved.flowIndex < savedFlow)
                return "walk: the save file's flow index went back from " + std::to_string(savedFlow) + " to " +
                       std::to_string(saved.flowIndex);
            if (!std::includes(saved.done.begin(), saved.done.end(), savedDone.begin(), savedDone.end()))
                return "walk: the save file lost done quests (" + ints(savedDone) + " before, " + ints(saved.done) +
                       " now)";
            if (!std::includes(done.begin(), done.end(), saved.done.begin(), saved.done.end()))
                return "walk: the save file has quests done that the game has not (" + ints(saved.done) + ")";
        }
        savedFlow = saved.flowIndex;
        savedDone = saved.done;
        ++checks;
        driver.log().add("walk: flow " + std::to_string(flow) + " done " + ints(done) + "; saved flow " +
                         std::to_string(saved.flowIndex) + " done " + ints(saved.done) + " score " +
                         std::to_string(saved.score));
        return std::string();
    }

    std::string act()
    {
        ScreenBase* top = game.app()->topScreen();
        if (!top || top->getState() != ScreenBase::Running) {
            pass(LongFrameMs);
            return std::string();
        }
        if (auto* entry = dynamic_cast<PlayerNameEntry*>(top))
            return nameEntry(entry);
        if (auto* menu = dynamic_cast<MainMenu*>(top)) {
            if (creditsSeen)
                return std::string();
            auto* play = findWidget<QuarnButton>(
                menu, [](QuarnButton* b, int id) { return b->getId() == id; }, MainMenu::PlayButton);
            if (!play)
                return "walk: the main menu has no PLAY button";
            click(centre(play));
            pass(300);
            return std::string();
        }
        if (auto* intro = dynamic_cast<TavrinIntro*>(top))
            storyOver = storyOver || intro->isEpilogue();
        if (dynamic_cast<TavrinIntro*>(top) || dynamic_cast<ChapterTransition*>(top)) {
            pass(500);
            if (game.app()->topScreen() == top && top->getState() == ScreenBase::Running) {
                driver.pressKey("escape");
                driver.step(2);
            }
            return std::string();
        }
        if (auto* journal = dynamic_cast<DiaryScreen*>(top)) {
            QuarnButton* next = journal->getButton(DiaryScreen::ContinueButton);
            if (!journal->isTurning() && shown(next)) {
                driver.step(1);
                click(centre(next));
            }
            pass(300);
            return std::string();
        }
        if (auto* talk = dynamic_cast<DialogScreen*>(top)) {
            if (shown(talk->getContinueButton())) {
                driver.step(2);
                click(centre(talk->getContinueButton()));
            }
            pass(200);
            return std::string();
        }
        if (auto* map = dynamic_cast<MapOfKingdom*>(top))
            return chooseOnMap(map);
        if (auto* mini = dynamic_cast<MiniGameBase*>(top))
            return playMiniGame(mini);
        if (auto* credits = dynamic_cast<CreditsScreen*>(top)) {
            if (!creditsSeen)
                creditsSince = driver.now();
            creditsSeen = true;
            if (driver.now() - creditsSince > CreditsPatienceMs && shown(credits->getOkButton()))
                click(centre(credits->getOkButton()));
            else
                pass(1000);
            return std::string();
        }
        if (dynamic_cast<HOScene*>(top)) {
            if (!clickWanted(game))
                pass(100);
            else
                pass(60);
            return std::string();
        }
        // Anything else (the logos, say) goes by itself; the stall check
        // catches a screen that never does.
        pass(200);
        return std::string();
    }

    std::string nameEntry(PlayerNameEntry* entry)
    {
        // Its widgets come once its panel has slid in.
        if (!shown(entry->getField())) {
            pass(200);
            return std::string();
        }
        click(centre(entry->getField()));
        if (!driver.runScript("type " + name))
            return "walk: " + driver.lastError();
        if (mode == 1) {
            CustomCheckBox* fearless = entry->getFearlessBox();
            if (!shown(fearless))
                return "walk: the name entry shows no fearless box";
            click(centre(fearless));
            if (!fearless->isChecked())
                return "walk: the fearless box did not tick";
        }
        driver.pressKey("return");
        driver.step(2);
        pass(500);
        return std::string();
    }

    std::string chooseOnMap(MapOfKingdom* map)
    {
        const std::vector<int>& locations = map->getLocations();
        QuestManager* quests = QuestManager::instance();
        int target = -1;
        for (int i = 0; i < quests->questCount() && target < 0; ++i) {
            const Quest* q = quests->questAt(i);
            if (q->open && !q->done && std::count(locations.begin(), locations.end(), q->screenId))
                target = q->screenId;
        }
        if (target < 0)
            return "walk: the map offers " + game.stateValue("map.locations") + " but no open quest lies there";
        MapLocation* marker = findWidget<MapLocation>(
            map, [](MapLocation* m, int index) { return m->getIndex() == index; }, target);
        if (!marker)
            return "walk: the map has no marker for location " + std::to_string(target);
        driver.log().add("walk: map location " + std::to_string(target));
        driver.mouseMove(centre(marker).x, centre(marker).y);
        driver.step(2);
        click(centre(marker));
        pass(500);
        return std::string();
    }

    std::string playMiniGame(MiniGameBase* mini)
    {
        std::string command;
        switch (mini->getOpenDialog()) {
        case MiniGameBase::TutorialDialogId:
        case MiniGameBase::FinishedDialogId:
            command = "minigame ok";
            break;
        case MiniGameBase::SkipQuestionId:
            command = "minigame no";
            break;
        default:
            if (!mini->isPlayTimeRunning() || mini->isFinishedShown()) {
                pass(100);
                return std::string();
            }
            command = "minigame solve";
        }
        driver.log().add("walk: " + command + " on " + GameDriver::className(mini));
        if (!driver.runScript(command))
            return "walk: " + command + " on " + GameDriver::className(mini) + ": " + driver.lastError();
        pass(100);
        return std::string();
    }

    GameDriver& game;
    HeadlessDriver& driver;
    std::string lastShot;
    // The screens that arrived since the flow or the quests last moved on
    // (checkRound), that state, and the screen stack last looked at.
    std::vector<std::string> round;
    std::string roundProgress;
    std::vector<ScreenBase*> stackSeen;
    std::map<ScreenBase*, std::string> arrivedAs;
    int checkedFlow = -1;
    std::set<int> checkedDone;
    int savedFlow = -1;
    std::set<int> savedDone;
    int lastScore = 0;
    uint64_t creditsSince = 0;
};

} // namespace

void addStoryWalker(GameDriver& game)
{
    auto walker = std::make_shared<StoryWalker>(game);
    HeadlessDriver& driver = game.driver();
    driver.addCommand("walk-as", 2, 2, [walker](HeadlessDriver&, const Args& a) {
        int mode = 0;
        if (!DriverScript::toInt(a[1], mode) || (mode != 0 && mode != 1))
            return std::string("walk-as: MODE is 0 or 1");
        walker->name = a[0];
        walker->mode = mode;
        return std::string();
    });
    driver.addCommand("walk", 1, 2, [walker](HeadlessDriver&, const Args& a) {
        if (a[0] == "credits" && a.size() == 1)
            return walker->walk([walker] { return walker->atMenuAfterCredits(); });
        int index = 0;
        if (a[0] == "flow" && a.size() == 2 && DriverScript::toInt(a[1], index))
            return walker->walk([walker, index] { return walker->atFlowScene(index); });
        return std::string("walk: credits, or flow N");
    });
    game.addProbe([walker](ScreenBase*, GameDriver::DumpLines& out) {
        out.emplace_back("walk.shots", std::to_string(walker->shots));
        out.emplace_back("walk.checks", std::to_string(walker->checks));
        out.emplace_back("walk.credits", walker->creditsSeen ? "1" : "0");
    });
}
