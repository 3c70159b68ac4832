#include "tests/driver/MiniGameSolvers17.h"

#include "engine/ui/DraggableImageWidget.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/WidgetManager.h"
#include "minigames/ArmourPart.h"
#include "minigames/ArmourSlot.h"
#include "minigames/CheckButton.h"
#include "minigames/KnobWidget.h"
#include "minigames/MgCollectArmour.h"
#include "minigames/MgImagePuzzle.h"
#include "minigames/MgMemoryMatch.h"
#include "minigames/MgShootingPractice.h"
#include "minigames/MgSumTheNumbers.h"
#include "minigames/MgTriangleCount.h"
#include "minigames/NumberObject.h"
#include "tests/driver/GameDriver.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/HeadlessDriver.h"

#include <SDL.h>

#include <sstream>
#include <vector>

namespace {

// Longest a single step of a game (a slide, a swap, a knob turn, the last
// fade) may take before a player gives up.
constexpr int StepLimitMs = 3000;
// Frames a carried or dragged picture takes to its place: the games follow
// the pointer however far it jumps.
constexpr int DragFrames = 3;

class Player {
public:
    Player(MiniGameBase* game, HeadlessDriver& driver, const StepUntil& stepUntil)
        : game(game), driver(driver), stepUntil(stepUntil)
    {
    }

    // A point of the widget where it is the one the pointer hits (it may
    // lie partly under others); false when it shows nowhere.
    bool visiblePoint(Widget* w, Point& out) const
    {
        const WidgetGeometry& g = w->getGeometry();
        WidgetManager* manager = game->getWidgetManager();
        for (int step = 2; step <= 16; step *= 2)
            for (int j = 1; j < step; ++j)
                for (int i = 1; i < step; ++i) {
                    const Point p(g.x + g.w * i / step, g.y + g.h * j / step);
                    if (manager->widgetAt(p.x, p.y) == w) {
                        out = p;
                        return true;
                    }
                }
        return false;
    }

    std::string click(Widget* w)
    {
        Point p;
        if (!w || !visiblePoint(w, p))
            return "nothing to click shows";
        click(p);
        return std::string();
    }

    void click(Point p)
    {
        driver.click(p.x, p.y);
        driver.step(2);
    }

    // The pointer to `to` in DragFrames moves, one frame each.
    void moveTo(Point from, Point to)
    {
        for (int s = 1; s <= DragFrames; ++s) {
            driver.mouseMove(from.x + (to.x - from.x) * s / DragFrames, from.y + (to.y - from.y) * s / DragFrames);
            driver.step(1);
        }
    }

    bool waitFor(const std::function<bool()>& done) { return stepUntil(done, StepLimitMs); }

    // After the slide under way, the button that answers rightly or wrongly.
    std::string answer(MgMemoryMatch& g, bool right)
    {
        const MemoryMatchRules& rules = g.getRules();
        if (!waitFor([&] { return !g.isSliding(); }))
            return "a slide did not end";
        const int answers = rules.getAnswers();
        const bool same = rules.getPrevious() == rules.getCurrent();
        const std::string error = click(same == right ? g.getMatchButton() : g.getDontMatchButton());
        if (!error.empty())
            return "an answer: " + error;
        const MemoryMatchRules::Verdict wanted = right ? MemoryMatchRules::Right : MemoryMatchRules::Wrong;
        if (rules.getAnswers() != answers + 1 || rules.getVerdict() != wanted)
            return "answer " + std::to_string(answers + 1) + " was not judged as wanted";
        return std::string();
    }

    std::string memoryMatch(MgMemoryMatch& g)
    {
        const MemoryMatchRules& rules = g.getRules();
        if (rules.getShown() == 1 && !g.isSliding()) {
            const std::string error = click(g.getStartButton());
            if (!error.empty())
                return "START: " + error;
        }
        while (!rules.isLastAnswer() || rules.getAnswers() == 0) {
            const std::string error = answer(g, true);
            if (!error.empty())
                return error;
        }
        return std::string();
    }

    std::string shooting(MgShootingPractice& g)
    {
        const ShootingRange& range = g.getRange();
        while (!range.isFinished()) {
            if (!waitFor([&] { return !range.isBusy(); }))
                return "the target fade did not end";
            const int phase = range.getPhase();
            const std::string error = click(g.getButton());
            if (!error.empty())
                return "the button: " + error;
            if (range.getPhase() == phase && !range.isFinished())
                return "a press in phase " + std::to_string(phase) + " did nothing";
            // Let the dot travel a little before it is stopped.
            driver.step(2);
        }
        return std::string();
    }

    std::string sums(MgSumTheNumbers& g)
    {
        const SumTheNumbersBoard& board = g.getBoard();
        for (int guard = 0; guard <= SumTheNumbersBoard::TileCount; ++guard) {
            int k = 0;
            while (k < SumTheNumbersBoard::TileCount && board.place(k) == SumTheNumbersBoard::Homes[k])
                ++k;
            // The solved test runs when a swap ends: a board dealt solved
            // (one deal in 120) needs one, a tile swapped with itself.
            if (k == SumTheNumbersBoard::TileCount && board.isGlowStarted())
                return std::string();
            int other = 0;
            if (k == SumTheNumbersBoard::TileCount)
                k = 0;
            else
                while (board.place(other) != SumTheNumbersBoard::Homes[k])
                    ++other;
            for (int t : {k, other}) {
                const std::string error = click(g.tile(t));
                if (!error.empty())
                    return "tile " + std::to_string(t) + ": " + error;
            }
            if (!waitFor([&] { return !g.tile(k)->isMoving() && !g.tile(other)->isMoving(); }))
                return "a swap did not end";
        }
        return "the tiles are not all home after every swap";
    }

    std::string triangles(MgTriangleCount& g)
    {
        const TriangleCounter& counter = g.getCounter();
        while (counter.getCount() != counter.getSolution()) {
            KnobWidget* knob = counter.getCount() < counter.getSolution() ? g.getLeftKnob() : g.getRightKnob();
            const int count = counter.getCount();
            const std::string error = click(knob);
            if (!error.empty())
                return "a knob: " + error;
            if (!waitFor([&] { return counter.getCount() != count; }))
                return "a knob turn did not change the count";
        }
        if (!waitFor([&] { return !g.getCheckButton()->isBusy(); }))
            return "the check button stays busy";
        const std::string error = click(g.getCheckButton());
        return error.empty() ? std::string() : "the check button: " + error;
    }

    std::string imagePuzzle(MgImagePuzzle& g)
    {
        const ImagePuzzleBoard& board = g.getBoard();
        for (int guard = 0; guard < board.count() && !board.isSolved(); ++guard) {
            // The first loose piece that shows somewhere; the topmost one
            // always does.
            int index = -1;
            Point grab;
            for (int i = 0; i < board.count() && index < 0; ++i)
                if (!board.isPlaced(i) && visiblePoint(g.piece(i), grab))
                    index = i;
            if (index < 0)
                return "no loose piece shows";
            const WidgetGeometry& at = g.piece(index)->getGeometry();
            const Point offset(grab.x - at.x, grab.y - at.y);
            click(grab);
            if (!board.isCarrying())
                return "piece " + std::to_string(index) + " was not picked up";
            const Point home = board.home(index);
            const Point target(home.x + offset.x, home.y + offset.y);
            moveTo(grab, target);
            click(target);
            if (!board.isPlaced(index))
                return "piece " + std::to_string(index) + " did not snap home";
        }
        return std::string();
    }

    std::string armour(MgCollectArmour& g)
    {
        for (Widget* w : std::vector<Widget*>(game->getWidgetManager()->getWidgets())) {
            auto* part = dynamic_cast<ArmourPart*>(w);
            if (part && !part->isCollected()) {
                const std::string error = click(part);
                if (!error.empty())
                    return "a part: " + error;
            }
        }
        for (ArmourSlot* slot : g.getSlots()) {
            if (!slot->getState().isDraggable())
                return "a slot is not complete after every part was collected";
            const WidgetGeometry& at = slot->getGeometry();
            const Point from(at.x + at.w / 2, at.y + at.h / 2);
            const Point end = slot->getState().getEnd();
            const Point to(end.x + at.w / 2, end.y + at.h / 2);
            driver.mouseMove(from.x, from.y);
            driver.mouseButton(from.x, from.y, SDL_BUTTON_LEFT, true);
            driver.step(1);
            moveTo(from, to);
            driver.mouseButton(to.x, to.y, SDL_BUTTON_LEFT, false);
            driver.step(2);
            if (!slot->getState().isPlaced())
                return "a slot did not snap onto its place";
        }
        return std::string();
    }

private:
    MiniGameBase* game;
    HeadlessDriver& driver;
    const StepUntil& stepUntil;
};

bool isOneOfSix(const MiniGameBase* game)
{
    return dynamic_cast<const MgMemoryMatch*>(game) || dynamic_cast<const MgShootingPractice*>(game) ||
           dynamic_cast<const MgSumTheNumbers*>(game) || dynamic_cast<const MgTriangleCount*>(game) ||
           dynamic_cast<const MgImagePuzzle*>(game) || dynamic_cast<const MgCollectArmour*>(game);
}

} // namespace

bool solveMiniGame17(MiniGameBase* game, HeadlessDriver& driver, const StepUntil& stepUntil, std::string& error)
{
    Player player(game, driver, stepUntil);
    if (auto* g = dynamic_cast<MgMemoryMatch*>(game))
        error = player.memoryMatch(*g);
    else if (auto* g = dynamic_cast<MgShootingPractice*>(game))
        error = player.shooting(*g);
    else if (auto* g = dynamic_cast<MgSumTheNumbers*>(game))
        error = player.sums(*g);
    else if (auto* g = dynamic_cast<MgTriangleCount*>(game))
        error = player.triangles(*g);
    else if (auto* g = dynamic_cast<MgImagePuzzle*>(game))
        error = player.imagePuzzle(*g);
    else if (auto* g = dynamic_cast<MgCollectArmour*>(game))
        error = player.armour(*g);
    else
        return false;
    return true;
}

void addMiniGameProbes17(GameDriver& driver)
{
    HeadlessDriver& headless = driver.driver();
    headless.addCommand("memory-answer", 1, 1, [&driver](HeadlessDriver& d, const std::vector<std::string>& a) {
        auto* game = driver.app() ? dynamic_cast<MgMemoryMatch*>(driver.app()->topScreen()) : nullptr;
        if (!game || (a[0] != "right" && a[0] != "wrong"))
            return std::string("memory-answer right|wrong: on the memory match");
        const StepUntil stepUntil = [&d](const std::function<bool()>& done, int ms) {
            const uint64_t end = d.now() + static_cast<uint64_t>(ms);
            while (!done() && d.now() < end && d.step())
                ;
            return done();
        };
        Player player(game, d, stepUntil);
        return player.answer(*game, a[0] == "right");
    });
    driver.addProbe([](ScreenBase* top, GameDriver::DumpLines& out) {
        const auto* game = dynamic_cast<const MiniGameBase*>(top);
        if (!game || !isOneOfSix(game))
            return;
        std::istringstream words(game->puzzleState());
        std::string word;
        while (words >> word) {
            const size_t eq = word.find('=');
            if (eq != std::string::npos)
                out.emplace_back("puzzle." + word.substr(0, eq), word.substr(eq + 1));
        }
    });
}
