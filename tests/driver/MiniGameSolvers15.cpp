#include "tests/driver/MiniGameSolvers15.h"

#include "engine/core/StringUtils.h"
#include "engine/ui/WidgetManager.h"
#include "minigames/CustomKlotskyTile.h"
#include "minigames/CypherWheelWidget.h"
#include "minigames/DialWidget.h"
#include "minigames/MgCypherWheel.h"
#include "minigames/MgKlotsky.h"
#include "minigames/MgLabyrinth.h"
#include "minigames/MgRectangleTileSum.h"
#include "minigames/MgScrambledDial.h"
#include "minigames/TileSumRules.h"
#include "tests/driver/DriverScript.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/HeadlessDriver.h"

#include <SDL.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <queue>
#include <set>
#include <vector>

namespace {

using Args = std::vector<std::string>;

constexpr double Pi = 3.14159265358979323846;
// Degrees the pointer turns between two motion events of a dial drag.
constexpr double DialStepDegrees = 10.0;
// Pixels between two points of a labyrinth path.
constexpr int PathStep = 8;
// How far beyond a block's edge the pointer is held to drag it.
constexpr int DragReach = 30;
// Motion events queued between two frames (SDL's queue holds 127).
constexpr int MovesPerFrame = 4;

// Every arrangement of the tile sum's values (slot by slot) that meets the
// five sums.
std::vector<std::array<int, TileSumRules::SlotCount>> solvedValueArrangements()
{
    std::vector<std::array<int, TileSumRules::SlotCount>> found;
    std::array<int, 6> left{};  // tiles left of each value 1..5
    for (int id = 0; id < TileSumRules::SlotCount; ++id)
        ++left[static_cast<size_t>(TileSumRules::valueOf(id))];
    std::array<int, TileSumRules::SlotCount> values{};
    std::function<void(int)> fill = [&](int slot) {
        if (slot == TileSumRules::SlotCount) {
            std::array<int, TileSumRules::RowCount> rows{};
            std::array<int, TileSumRules::RectangleCount> rectangles{};
            for (int s = 0; s < TileSumRules::SlotCount; ++s) {
                rows[static_cast<size_t>(TileSumRules::rowOf(s))] += values[static_cast<size_t>(s)];
                rectangles[static_cast<size_t>(TileSumRules::rectangleOf(s))] += values[static_cast<size_t>(s)];
            }
            if (rows == TileSumRules::RowTargets && rectangles == TileSumRules::RectangleTargets)
                found.push_back(values);
            return;
        }
        for (int v = 1; v <= 5; ++v) {
            if (left[static_cast<size_t>(v)] == 0)
                continue;
            --left[static_cast<size_t>(v)];
            values[static_cast<size_t>(slot)] = v;
            fill(slot + 1);
            ++left[static_cast<size_t>(v)];
        }
    };
    fill(0);
    return found;
}

class Solver {
public:
    explicit Solver(MiniGameInput& input) : in(input), driver(input.driver) {}

    void moveTo(int x, int y) { driver.mouseMove(x, y); }
    void press(int x, int y)
    {
        driver.mouseMove(x, y);
        driver.mouseButton(x, y, SDL_BUTTON_LEFT, true);
        driver.step(1);
    }
    void release(int x, int y)
    {
        driver.mouseButton(x, y, SDL_BUTTON_LEFT, false);
        driver.step(2);
    }

    // ---------------------------------------------------------------------
    // Rectangle tile sum

    // Swaps towards the solved arrangement of values that differs from the
    // board in the fewest slots.
    std::string tileSum(MgRectangleTileSum& game)
    {
        const TileBoard& board = game.getBoard();
        if (board.size() != TileSumRules::SlotCount)
            return "the tile sum board has no twelve tiles";
        auto valueAt = [&](int slot) { return TileSumRules::valueOf(board.tileAt(slot)); };
        std::array<int, TileSumRules::SlotCount> target{};
        int fewest = TileSumRules::SlotCount + 1;
        for (const auto& values : solvedValueArrangements()) {
            int differ = 0;
            for (int slot = 0; slot < TileSumRules::SlotCount; ++slot)
                differ += valueAt(slot) != values[static_cast<size_t>(slot)] ? 1 : 0;
            if (differ < fewest) {
                fewest = differ;
                target = values;
            }
        }
        if (fewest > TileSumRules::SlotCount)
            return "no arrangement of the tiles meets the sums";
        auto wanted = [&](int slot) { return target[static_cast<size_t>(slot)]; };
        for (int slot = 0; slot < TileSumRules::SlotCount && !game.sums().solved; ++slot) {
            if (valueAt(slot) == wanted(slot))
                continue;
            // A tile of the wanted value further on that stands wrong there;
            // best one whose slot wants the value standing here.
            int from = -1;
            for (int j = slot + 1; j < TileSumRules::SlotCount; ++j) {
                if (valueAt(j) != wanted(slot) || valueAt(j) == wanted(j))
                    continue;
                if (from < 0 || valueAt(slot) == wanted(j))
                    from = j;
            }
            if (from < 0)
                return "no tile worth " + std::to_string(wanted(slot)) + " left for slot " + std::to_string(slot);
            const std::string error = in.swap(slot, from);
            if (!error.empty())
                return error;
        }
        return game.sums().solved ? std::string() : "the sums are not met after the swaps";
    }

    // ---------------------------------------------------------------------
    // Dials and wheels

    // A point on the dial's picture where the dial is the widget the
    // pointer takes: along the line to the right of its middle, in the
    // middle of the first such run.
    static bool grabPoint(const DialWidget& dial, const WidgetManager& widgets, Point& at, double& radius)
    {
        const WidgetGeometry& g = dial.getGeometry();
        const int cx = g.x + g.w / 2;
        const int cy = g.y + g.h / 2;
        int first = -1;
        int last = -1;
        for (int r = 2; r < g.w / 2; ++r) {
            const bool mine = widgets.widgetAt(cx + r, cy) == &dial;
            if (mine && first < 0)
                first = r;
            if (mine)
                last = r;
            if (!mine && first >= 0)
                break;
        }
        if (first < 0)
            return false;
        radius = (first + last) / 2.0;
        at = Point(cx + static_cast<int>(radius), cy);
        return true;
    }

    // Presses the dial where it alone takes the pointer, turns the pointer
    // so that the dial reaches its target, and lets go.
    std::string turnToTarget(DialWidget& dial, const WidgetManager& widgets)
    {
        const DialRotation& r = dial.getRotation();
        const double offset = DialRotation::offsetFromTarget(r.angle, r.targetAngle);
        // Degrees the dial must turn: the short way, or, for a dial that
        // turns only one way, all the way back.
        double turn = -offset;
        if (r.directionMode == DialRotation::DecreasingOnly && turn > 0.0)
            turn -= 360.0;
        const double factor = r.rotationFactor != 0.f ? r.rotationFactor : 1.0;
        return turnBy(dial, widgets, turn / factor);
    }

    std::string turnBy(DialWidget& dial, const WidgetManager& widgets, double pointerDegrees)
    {
        Point at;
        double radius = 0.0;
        if (!grabPoint(dial, widgets, at, radius))
            return "no point of the dial takes the pointer";
        const WidgetGeometry& g = dial.getGeometry();
        const double cx = g.x + g.w / 2;
        const double cy = g.y + g.h / 2;
        press(at.x, at.y);
        const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(pointerDegrees) / DialStepDegrees)));
        Point last = at;
        for (int i = 1; i <= steps; ++i) {
            const double a = pointerDegrees * i / steps * Pi / 180.0;
            last = Point(static_cast<int>(std::lround(cx + radius * std::cos(a))),
                         static_cast<int>(std::lround(cy + radius * std::sin(a))));
            moveTo(last.x, last.y);
            if (i % MovesPerFrame == 0)
                driver.step(1);
        }
        driver.step(1);
        release(last.x, last.y);
        return std::string();
    }

    std::string dials(MgScrambledDial& game)
    {
        for (DialWidget* dial : game.getDials()) {
            if (!dial->isActive())
                continue;
            const std::string error = turnToTarget(*dial, *game.getWidgetManager());
            if (!error.empty())
                return error;
            if (dial->isActive())
                return "a ring did not lock at its target";
        }
        return std::string();
    }

    std::string wheel(MgCypherWheel& game)
    {
        CypherWheelWidget* wheel = game.getWheel();
        const CypherSolution& solution = game.getSolution();
        if (!wheel || solution.size() == 0)
            return "the cypher wheel has no wheel or no pieces to decode";
        while (!solution.isComplete()) {
            if (!in.stepUntil([&] { return wheel->isActive() || solution.isComplete(); }, 5000))
                return "the wheel does not take the pointer";
            if (solution.isComplete())
                break;
            const int piece = solution.index();
            const std::string error = turnToTarget(*wheel, *game.getWidgetManager());
            if (!error.empty())
                return error;
            if (!in.stepUntil([&] { return solution.index() != piece; }, 4000))
                return "piece " + std::to_string(piece) + " was not decoded";
        }
        return std::string();
    }

    // ---------------------------------------------------------------------
    // Sliding blocks

    struct KlotskyMove {
        int tile;
        int dRow;
        int dColumn;
    };

    // The fewest one-cell moves that meet every condition (none when they
    // already hold, or when no sequence reaches them).
    static bool planKlotsky(const MgKlotsky& game, std::vector<KlotskyMove>& plan)
    {
        const std::vector<CustomKlotskyTile*>& tiles = game.getTiles();
        std::vector<KlotskyGrid::Block> blocks;
        KlotskyGrid walls = game.getGrid();
        for (const CustomKlotskyTile* t : tiles) {
            KlotskyGrid::Block b;
            b.row = t->getRow();
            b.column = t->getColumn();
            b.width = t->getWidthInCells();
            b.height = t->getHeightInCells();
            for (int r = b.row; r < b.row + b.height; ++r)
                for (int c = b.column; c < b.column + b.width; ++c)
                    walls.setCell(r, c, KlotskyGrid::Free);
            blocks.push_back(b);
        }
        using State = std::vector<int>;
        auto placesOf = [](const State& s) {
            std::vector<Point> places;
            for (size_t i = 0; i + 1 < s.size(); i += 2)
                places.emplace_back(s[i + 1], s[i]);
            return places;
        };
        auto solved = [&](const State& s) {
            for (int result : MgKlotsky::conditionResults(game.getConditions(), placesOf(s)))
                if (result == 0)
                    return false;
            return true;
        };
        State start;
        for (const KlotskyGrid::Block& b : blocks) {
            start.push_back(b.row);
            start.push_back(b.column);
        }
        std::map<State, std::pair<State, KlotskyMove>> cameFrom;
        std::queue<State> open;
        open.push(start);
        cameFrom[start] = {start, {-1, 0, 0}};
        const int deltas[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
        while (!open.empty()) {
            const State s = open.front();
            open.pop();
            if (solved(s)) {
                for (State at = s; at != start; at = cameFrom[at].first)
                    plan.insert(plan.begin(), cameFrom[at].second);
                return true;
            }
            KlotskyGrid grid = walls;
            std::vector<KlotskyGrid::Block> placed = blocks;
            for (size_t i = 0; i < placed.size(); ++i) {
                placed[i].row = s[2 * i];
                placed[i].column = s[2 * i + 1];
                grid.place(placed[i]);
            }
            for (size_t i = 0; i < placed.size(); ++i) {
                for (const auto& d : deltas) {
                    if (!grid.canMoveTo(placed[i], placed[i].row + d[0], placed[i].column + d[1]))
                        continue;
                    State next = s;
                    next[2 * i] += d[0];
                    next[2 * i + 1] += d[1];
                    if (cameFrom.count(next))
                        continue;
                    cameFrom[next] = {s, {static_cast<int>(i), d[0], d[1]}};
                    open.push(next);
                }
            }
        }
        return false;
    }

    std::string klotsky(MgKlotsky& game)
    {
        std::vector<KlotskyMove> plan;
        if (!planKlotsky(game, plan))
            return "no sequence of moves meets the solution";
        for (const KlotskyMove& move : plan) {
            CustomKlotskyTile* tile = game.getTiles()[static_cast<size_t>(move.tile)];
            const int row = tile->getRow() + move.dRow;
            const int column = tile->getColumn() + move.dColumn;
            const WidgetGeometry& g = tile->getGeometry();
            const int cx = g.x + g.w / 2;
            const int cy = g.y + g.h / 2;
            press(cx, cy);
            moveTo(cx + move.dColumn * (g.w / 2 + DragReach), cy + move.dRow * (g.h / 2 + DragReach));
            const bool arrived = in.stepUntil(
                [&] { return tile->getRow() == row && tile->getColumn() == column && !tile->isSliding(); }, 2000);
            release(cx, cy);
            if (!arrived)
                return "block " + std::to_string(move.tile) + " did not slide to " + std::to_string(row) + "," +
                       std::to_string(column);
        }
        return game.isSolvedOnce() ? std::string() : "the blocks stand where the solution wants them, unsolved";
    }

    // ---------------------------------------------------------------------
    // Labyrinth

    // Points PathStep apart along the corridors from the ball to the first
    // point within the goal's tolerance; each step checked pixel by pixel.
    static bool planPath(const MgLabyrinth& game, std::vector<Point>& path)
    {
        const LabyrinthMask& mask = game.getMask();
        const Point start = game.ballCentre();
        const Point goal = game.getGoal();
        auto open = [&](Point from, int dx, int dy) {
            for (int k = 1; k <= PathStep; ++k)
                if (mask.isBlocked(from.x + dx * k, from.y + dy * k))
                    return false;
            return true;
        };
        auto key = [](Point p) { return (static_cast<long long>(p.x) << 32) ^ static_cast<unsigned>(p.y); };
        std::map<long long, Point> cameFrom;
        std::queue<Point> frontier;
        frontier.push(start);
        cameFrom[key(start)] = start;
        const Point origin = mask.getOrigin();
        while (!frontier.empty()) {
            const Point p = frontier.front();
            frontier.pop();
            if (LabyrinthMask::reachesGoal(p, goal, game.getGoalTolerance())) {
                for (Point at = p; at != start; at = cameFrom[key(at)])
                    path.insert(path.begin(), at);
                path.push_back(goal);
                return true;
            }
            const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& s : steps) {
                const Point next(p.x + s[0] * PathStep, p.y + s[1] * PathStep);
                if (next.x < origin.x || next.y < origin.y || next.x >= origin.x + mask.getWidth() ||
                    next.y >= origin.y + mask.getHeight() || cameFrom.count(key(next)) || !open(p, s[0], s[1]))
                    continue;
                cameFrom[key(next)] = p;
                frontier.push(next);
            }
        }
        return false;
    }

    std::string labyrinth(MgLabyrinth& game)
    {
        std::vector<Point> path;
        if (!planPath(game, path))
            return "no way through the corridors from the ball to the goal";
        const Point start = game.ballCentre();
        press(start.x, start.y);
        if (!game.isDragging())
            return "the ball was not grabbed";
        int moves = 0;
        for (const Point& p : path) {
            moveTo(p.x, p.y);
            if (++moves % MovesPerFrame == 0)
                driver.step(1);
        }
        driver.step(1);
        release(path.back().x, path.back().y);
        return game.isFinishing() ? std::string() : "the ball did not reach the goal";
    }

private:
    MiniGameInput& in;
    HeadlessDriver& driver;
};

} // namespace

bool solveMechanismGame(MiniGameBase* game, MiniGameInput& input, std::string& error)
{
    Solver solver(input);
    if (auto* tileSum = dynamic_cast<MgRectangleTileSum*>(game))
        error = solver.tileSum(*tileSum);
    else if (auto* dials = dynamic_cast<MgScrambledDial*>(game))
        error = solver.dials(*dials);
    else if (auto* wheel = dynamic_cast<MgCypherWheel*>(game))
        error = solver.wheel(*wheel);
    else if (auto* klotsky = dynamic_cast<MgKlotsky*>(game))
        error = solver.klotsky(*klotsky);
    else if (auto* labyrinth = dynamic_cast<MgLabyrinth*>(game))
        error = solver.labyrinth(*labyrinth);
    else
        return false;
    return true;
}

void addMechanismCommands(GameDriver& game)
{
    game.driver().addCommand("seed", 1, 1, [](HeadlessDriver&, const Args& a) -> std::string {
        int seed = 0;
        if (!DriverScript::toInt(a[0], seed) || seed < 0)
            return "seed: a number of 0 or more";
        // The games seed the generator from the clock on its first use:
        // that use comes first, so the seed given here is the one that
        // stays.
        randomBelow(1);
        std::srand(static_cast<unsigned>(seed));
        return std::string();
    });
}
