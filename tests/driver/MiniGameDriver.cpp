#include "tests/driver/MiniGameDriver.h"

#include "engine/store/ConfigFile.h"
#include "engine/ui/MessageDialogSimple.h"
#include "engine/ui/MessageQuestionDialogSimple.h"
#include "engine/ui/SimpleImageButton.h"
#include "engine/ui/WidgetManager.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "minigames/CastSurface.h"
#include "minigames/CountdownButton.h"
#include "minigames/MgCastingSpells.h"
#include "minigames/MgCipherTiles.h"
#include "minigames/MiniGameBase.h"
#include "minigames/TileWidget.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/DriverScript.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/MiniGameSolversNecklaceStars.h"
#include "tests/driver/MiniGameSolvers17.h"
#include "tests/driver/QuickFrames.h"
#include "tests/driver/MiniGameSolvers15.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

// The ending of the last minigame seen leaving.
struct Ending {
    std::string game = "none";
    int quest = -1;
    int code = -1;
};

struct MiniGameState {
    Ending last;
    // The leaving game already recorded; cleared once it is no longer on top.
    const MiniGameBase* recorded = nullptr;
    // `tune`: the game's own tuning file, the values changed, and the table
    // installed in its place (the game clears the pointer when it goes).
    std::string tuningPath;
    std::map<std::string, std::string> overrides;
    std::unique_ptr<ConfigFile> tuning;
};

// The tuning file's text with `key = value` lines put before its end
// marker (or at its end), where they win over earlier lines.
std::string withOverrides(const std::string& path, const std::map<std::string, std::string>& overrides)
{
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string lines;
    for (const auto& [key, value] : overrides)
        lines += key + " = " + value + "\n";
    const size_t end = text.find("EndConfigFile");
    const size_t lineStart = end == std::string::npos ? text.size() : text.rfind('\n', end) + 1;
    if (lineStart == text.size() && !text.empty() && text.back() != '\n')
        text += '\n';
    return text.insert(std::min(lineStart, text.size()), lines);
}

std::string tune(MiniGameState& state, const std::string& key, const std::string& value)
{
    const ConfigFile* current = gameParameters();
    if (!current)
        return "tune: the game has no tuning table";
    if (state.tuningPath.empty())
        state.tuningPath = current->getFileName();
    state.overrides[key] = value;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("quill-tune-" + std::to_string(::getpid()) + ".cfg")).string();
    {
        std::ofstream out(path, std::ios::binary);
        out << withOverrides(state.tuningPath, state.overrides);
        if (!out)
            return "tune: cannot write " + path;
    }
    auto table = std::make_unique<ConfigFile>(path);
    std::filesystem::remove(path);
    setGameParameters(table.get());
    state.tuning = std::move(table);
    return std::string();
}

// The game takes at most 30 ms of time in one frame; the driven loop's own
// wait adds 10 ms.
constexpr uint32_t LongFrameMs = 30;
constexpr uint32_t LoopWaitMs = 10;

// Pixels between the points of a dragged stroke, and the margin the shape
// keeps from the drawing area's edges.
constexpr double TraceStep = 8.0;
constexpr int TraceMargin = 40;

class MiniGamePlayer {
public:
    MiniGamePlayer(GameDriver& game, HeadlessDriver& driver) : game(game), driver(driver) {}

    MiniGameBase* top() const
    {
        return game.app() ? dynamic_cast<MiniGameBase*>(game.app()->topScreen()) : nullptr;
    }

    // Steps frames until `done` holds or `ms` of fake time have passed.
    // Each frame lasts the longest time the game takes in one frame, so
    // long waits draw a third of the frames the loop's own pace would.
    bool stepUntil(const std::function<bool()>& done, int ms)
    {
        const uint64_t end = driver.now() + static_cast<uint64_t>(ms);
        const QuickFrames quick(driver);
        while (!done()) {
            if (driver.now() >= end)
                return done();
            driver.advanceTime(LongFrameMs - LoopWaitMs);
            if (!driver.step())
                return done();
        }
        return true;
    }

    void click(Point p)
    {
        driver.click(p.x, p.y);
        driver.step(2);
    }

    static Point centre(const Widget* w)
    {
        const WidgetGeometry& g = w->getGeometry();
        return Point(g.x + g.w / 2, g.y + g.h / 2);
    }

    static MessageDialogSimple* openMessage(MiniGameBase* screen)
    {
        if (!screen)
            return nullptr;
        for (Widget* w : screen->getWidgetManager()->getWidgets()) {
            auto* dialog = dynamic_cast<MessageDialogSimple*>(w);
            if (dialog && !dialog->isClosing())
                return dialog;
        }
        return nullptr;
    }

    // Clicks the open message's confirm (0), yes (1) or no (2) button.
    std::string answer(int which)
    {
        MessageDialogSimple* dialog = nullptr;
        const bool shown = stepUntil(
            [&] {
                dialog = openMessage(top());
                return dialog && dialog->isContentsShown();
            },
            3000);
        if (!shown)
            return "no message with its buttons is open";
        auto* question = dynamic_cast<MessageQuestionDialogSimple*>(dialog);
        if ((which == 0) == (question != nullptr))
            return which == 0 ? "the open message is a question" : "the open message is not a question";
        const Widget* button = which == 0   ? static_cast<Widget*>(dialog->getButton())
                               : which == 1 ? static_cast<Widget*>(question->getYesButton())
                                            : static_cast<Widget*>(question->getNoButton());
        // The frame knows the message closed when the dialog tells it, after
        // the close animation.
        MiniGameBase* screen = top();
        const int id = screen->getOpenDialog();
        click(centre(button));
        if (!stepUntil([&] { return top() != screen || screen->getOpenDialog() != id; }, 2000))
            return "the message did not close";
        // The dialog leaves the widgets in that frame; the widgets take no
        // pointer event until the next update.
        driver.step(1);
        return std::string();
    }

    std::string swap(int slotA, int slotB)
    {
        auto* tiles = dynamic_cast<MgRearrangeElements*>(top());
        if (!tiles)
            return "the top screen is not a tile-swap game";
        const TileBoard& board = tiles->getBoard();
        TileWidget* a = tiles->tile(board.tileAt(slotA));
        TileWidget* b = tiles->tile(board.tileAt(slotB));
        if (!a || !b || slotA == slotB)
            return "no two tiles in slots " + std::to_string(slotA) + " and " + std::to_string(slotB);
        if (!stepUntil([&] { return !board.isSwapBusy(); }, 5000))
            return "a swap is still running";
        click(centre(a));
        click(centre(b));
        if (!stepUntil([&] { return board.isSwapBusy(); }, 500))
            return "the swap did not start";
        if (!stepUntil([&] { return !board.isSwapBusy(); }, 5000))
            return "the swap did not end";
        return std::string();
    }

    std::string solveCipher(MgCipherTiles* cipher)
    {
        const TileBoard& board = cipher->getBoard();
        const CipherRules& rules = cipher->getRules();
        for (int guard = 0; guard < board.size() && !cipher->isFinishedShown(); ++guard) {
            int from = -1;
            int to = -1;
            for (int i = 0; i < board.size() && from < 0; ++i) {
                if (cipher->isTileInPlace(board.tileAt(i)))
                    continue;
                for (int j = 0; j < board.size(); ++j) {
                    const int other = board.tileAt(j);
                    if (j != i && !cipher->isTileInPlace(other) && rules.symbolOf(other) == rules.wantedAt(i)) {
                        from = i;
                        to = j;
                        break;
                    }
                }
            }
            if (from < 0)
                break;
            const std::string error = swap(from, to);
            if (!error.empty())
                return error;
        }
        return std::string();
    }

    // The current spell's shape fitted into the drawing area: forwards,
    // backwards, or turned by 90 degrees.
    static std::vector<Point> spellPath(const MgCastingSpells& spells, const std::string& how)
    {
        const CastingSpell& spell = spells.getSpells()[static_cast<size_t>(spells.getCurrentSpell())];
        std::vector<Point> shape = spell.getForward().getPoints();
        if (how == "backward")
            std::reverse(shape.begin(), shape.end());
        if (how == "across")
            for (Point& p : shape)
                p = Point(-p.y, p.x);
        int minX = shape[0].x, maxX = minX, minY = shape[0].y, maxY = minY;
        for (const Point& p : shape) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        const WidgetGeometry& area = spells.getSurface()->getGeometry();
        const double span = std::max(1, std::max(maxX - minX, maxY - minY));
        const double k = (std::min(area.w, area.h) - 2 * TraceMargin) / span;
        const double cx = (minX + maxX) / 2.0;
        const double cy = (minY + maxY) / 2.0;
        std::vector<Point> path;
        for (const Point& p : shape)
            path.emplace_back(static_cast<int>(area.x + area.w / 2 + (p.x - cx) * k),
                              static_cast<int>(area.y + area.h / 2 + (p.y - cy) * k));
        return path;
    }

    std::string trace(const std::string& how)
    {
        auto* spells = dynamic_cast<MgCastingSpells*>(top());
        if (!spells)
            return "the top screen is not the casting-spells game";
        if (!spells->getSurface() || spells->getCurrentSpell() >= static_cast<int>(spells->getSpells().size()))
            return "there is no spell to cast";
        if (how != "forward" && how != "backward" && how != "across")
            return "trace: forward, backward or across";
        if (!stepUntil([&] { return spells->getSurface()->isDrawingEnabled(); }, 3000))
            return "the drawing area takes no stroke";
        const std::vector<Point> path = spellPath(*spells, how);
        driver.mouseMove(path[0].x, path[0].y);
        driver.mouseButton(path[0].x, path[0].y, SDL_BUTTON_LEFT, true);
        driver.step(1);
        int moves = 0;
        for (size_t i = 1; i < path.size(); ++i) {
            const Point& a = path[i - 1];
            const Point& b = path[i];
            const int n = std::max(1, static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) / TraceStep));
            for (int s = 1; s <= n; ++s) {
                driver.mouseMove(a.x + (b.x - a.x) * s / n, a.y + (b.y - a.y) * s / n);
                if (++moves % 4 == 0)
                    driver.step(1);
            }
        }
        const Point& end = path.back();
        driver.mouseButton(end.x, end.y, SDL_BUTTON_LEFT, false);
        driver.step(2);
        return std::string();
    }

    std::string solveSpells(MgCastingSpells* spells)
    {
        const int count = static_cast<int>(spells->getSpells().size());
        const CastSurface* surface = spells->getSurface();
        if (!surface)
            return "the casting-spells game has no drawing area";
        for (;;) {
            // A spell just cast moves on only after its glow.
            if (!stepUntil([&] { return spells->getCurrentSpell() >= count || surface->isDrawingEnabled(); }, 3000))
                return "the drawing area takes no stroke";
            const int current = spells->getCurrentSpell();
            if (current >= count)
                return std::string();
            const std::string error = trace("forward");
            if (!error.empty())
                return error;
            if (!stepUntil([&] { return spells->getCurrentSpell() != current; }, 3000))
                return "spell " + std::to_string(current) + " was not cast";
        }
    }

    MiniGameSteps steps()
    {
        return MiniGameSteps{driver, [this](const std::function<bool()>& done, int ms) { return stepUntil(done, ms); },
                             [this] { return top(); }};
    }

    bool solveMechanisms(MiniGameBase* screen, std::string& error)
    {
        MiniGameInput input{driver, [this](const std::function<bool()>& done, int ms) { return stepUntil(done, ms); },
                            [this](int slotA, int slotB) { return swap(slotA, slotB); }};
        return solveMechanismGame(screen, input, error);
    }

    std::string solve()
    {
        MiniGameBase* screen = top();
        const QuickFrames quick(driver);
        if (std::optional<std::string> played = solveNecklaceStarsGame(screen, steps()))
            return *played;
        std::string error;
        if (auto* cipher = dynamic_cast<MgCipherTiles*>(screen))
            error = solveCipher(cipher);
        else if (auto* spells = dynamic_cast<MgCastingSpells*>(screen))
            error = solveSpells(spells);
        else if (!solveMiniGame17(screen, driver, [this](const auto& done, int ms) { return stepUntil(done, ms); },
                                  error) &&
                 !solveMechanisms(screen, error))
            return "solve: the driver cannot solve the minigame on top";
        if (!error.empty())
            return error;
        if (!stepUntil([&] { return openMessage(screen) && screen->isFinishedShown(); }, 5000))
            return "the finished message did not open";
        return std::string();
    }

private:
    GameDriver& game;
    HeadlessDriver& driver;
};

std::string phaseOf(const MiniGameBase& g)
{
    if (g.getState() == ScreenBase::Entering)
        return "entering";
    if (g.getState() == ScreenBase::Leaving)
        return "leaving";
    switch (g.getOpenDialog()) {
    case MiniGameBase::TutorialDialogId:
        return "tutorial";
    case MiniGameBase::SkipQuestionId:
        return "question";
    case MiniGameBase::FinishedDialogId:
        return "finished";
    default:
        return g.isPlayTimeRunning() ? "playing" : "paused";
    }
}

std::string skipOf(const MiniGameBase& g)
{
    const CountdownButton* skip = g.getSkipButton();
    if (!skip)
        return "none";
    if (skip->isFinished())
        return "ready";
    return (skip->isCounting() ? "counting " : "held ") + CountdownButton::secondsText(skip->getRemainingMs());
}

} // namespace

void addMiniGameDriver(GameDriver& game)
{
    addMiniGameProbes17(game);
    auto state = std::make_shared<MiniGameState>();
    auto player = std::make_shared<MiniGamePlayer>(game, game.driver());
    HeadlessDriver& driver = game.driver();

    driver.addFrameObserver([state, player, &driver] {
        const MiniGameBase* top = player->top();
        if (!top || top->getState() != ScreenBase::Leaving) {
            state->recorded = nullptr;
            return;
        }
        if (top == state->recorded)
            return;
        state->recorded = top;
        state->last.game = GameDriver::className(top);
        state->last.quest = top->getQuestId();
        state->last.code = top->getResultCode();
        driver.log().add("minigame " + state->last.game + " quest " + std::to_string(state->last.quest) + " closed " +
                         std::to_string(state->last.code));
    });

    game.addProbe([state](ScreenBase* top, GameDriver::DumpLines& out) {
        if (const auto* g = dynamic_cast<const MiniGameBase*>(top)) {
            out.emplace_back("minigame.quest", std::to_string(g->getQuestId()));
            out.emplace_back("minigame.phase", phaseOf(*g));
            out.emplace_back("minigame.skip", skipOf(*g));
            out.emplace_back("minigame.puzzle", g->puzzleState());
        }
        out.emplace_back("minigame.last", state->last.game);
        out.emplace_back("minigame.lastQuest", std::to_string(state->last.quest));
        out.emplace_back("minigame.lastResult", std::to_string(state->last.code));
        const PlayerProfile* profile = PlayerProfiles::instance()->currentProfile();
        std::string flags;
        for (int i = 0; profile && i < PlayerProfile::BonusFlagCount; ++i)
            flags += profile->hasBonusFlag(i) ? '1' : '0';
        out.emplace_back("profile.bonus", profile ? flags : "none");
    });

    addNecklaceStarsCommands(game, player->steps());
    addMechanismCommands(game);
    driver.addCommand("tune", 2, 2, [state](HeadlessDriver&, const Args& a) { return tune(*state, a[0], a[1]); });

    driver.addCommand("minigame", 1, 3, [player](HeadlessDriver&, const Args& a) -> std::string {
        const std::string& what = a[0];
        if (what == "wait") {
            int ms = 0;
            if (a.size() != 2 || !DriverScript::toInt(a[1], ms) || ms < 0)
                return "minigame wait: a time in ms";
            player->stepUntil([] { return false; }, ms);
            return std::string();
        }
        if (!player->top())
            return "minigame: the top screen is not a minigame";
        if (what == "ok" || what == "yes" || what == "no")
            return player->answer(what == "ok" ? 0 : what == "yes" ? 1 : 2);
        if (what == "swap") {
            int slotA = 0, slotB = 0;
            if (a.size() != 3 || !DriverScript::toInt(a[1], slotA) || !DriverScript::toInt(a[2], slotB))
                return "minigame swap: two slot numbers";
            return player->swap(slotA, slotB);
        }
        if (what == "trace")
            return player->trace(a.size() > 1 ? a[1] : "forward");
        if (what == "solve")
            return player->solve();
        return "minigame: ok, yes, no, swap, trace, solve or wait";
    });
}
