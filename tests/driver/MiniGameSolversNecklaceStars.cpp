#include "tests/driver/MiniGameSolversNecklaceStars.h"

#include "engine/ui/MessageDialogSimple.h"
#include "engine/ui/MouseListeningWidget.h"
#include "engine/ui/WidgetManager.h"
#include "minigames/CustomImageWidget.h"
#include "minigames/MgFaceDrawing.h"
#include "minigames/MgMatchElements.h"
#include "minigames/MgWhackAMole.h"
#include "minigames/MgZodiacSigns.h"
#include "minigames/SquirrelWidget.h"
#include "minigames/StarWidget.h"
#include "minigames/ZodiacSign.h"
#include "tests/driver/DriverScript.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/HeadlessDriver.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using Args = std::vector<std::string>;

// Pixels between the points of a drag, and the pointer events sent before a
// frame runs (SDL's queue holds 127).
constexpr double DragStep = 16.0;
constexpr int MovesPerFrame = 6;
// How finely a widget is searched for a pixel that takes the press.
constexpr int SearchStep = 3;
// Longest waits, ms of game time.
constexpr int SettleMs = 1500;
constexpr int SquirrelWaitMs = 15000;
constexpr int FinishWaitMs = 6000;

class Player {
public:
    explicit Player(const MiniGameSteps& s) : steps(s), driver(s.driver) {}

    // Moves along a straight line to `to` with the buttons as they are.
    void moveTo(Point from, Point to, int& moves)
    {
        const int n = std::max(1, static_cast<int>(std::hypot(to.x - from.x, to.y - from.y) / DragStep));
        for (int i = 1; i <= n; ++i) {
            driver.mouseMove(from.x + (to.x - from.x) * i / n, from.y + (to.y - from.y) * i / n);
            if (++moves % MovesPerFrame == 0)
                driver.step(1);
        }
    }

    // Presses at the first point, moves through the others, lets go at the
    // last.
    void stroke(const std::vector<Point>& path)
    {
        driver.mouseMove(path[0].x, path[0].y);
        driver.mouseButton(path[0].x, path[0].y, SDL_BUTTON_LEFT, true);
        driver.step(1);
        int moves = 0;
        for (size_t i = 1; i < path.size(); ++i)
            moveTo(path[i - 1], path[i], moves);
        driver.mouseButton(path.back().x, path.back().y, SDL_BUTTON_LEFT, false);
        driver.step(2);
    }

    void click(Point p)
    {
        driver.click(p.x, p.y);
        driver.step(2);
    }

    // A point of `w`'s rectangle for which `takes` holds, searched from the
    // middle outwards; (-1, -1) when there is none.
    static Point findPoint(const Widget* w, const std::function<bool(int x, int y)>& takes)
    {
        const WidgetGeometry& g = w->getGeometry();
        const int cx = g.x + g.w / 2;
        const int cy = g.y + g.h / 2;
        const int reach = std::max(g.w, g.h) / 2;
        for (int r = 0; r <= reach; r += SearchStep) {
            for (int dy = -r; dy <= r; dy += SearchStep) {
                for (int dx = -r; dx <= r; dx += SearchStep) {
                    if (std::max(std::abs(dx), std::abs(dy)) != r)
                        continue;
                    if (takes(cx + dx, cy + dy))
                        return Point(cx + dx, cy + dy);
                }
            }
        }
        return Point(-1, -1);
    }

    // Whether a press at the point reaches the screen's own mouse handling
    // (no button or dialog lies there).
    static bool reachesScreen(const MiniGameBase* game, int x, int y)
    {
        return dynamic_cast<MouseListeningWidget*>(game->getWidgetManager()->widgetAt(x, y)) != nullptr;
    }

    bool waitFinished(MiniGameBase* game)
    {
        return steps.stepUntil([game] { return game->isFinishedShown(); }, FinishWaitMs);
    }

    // --- match elements and zodiac signs: dragging one piece -------------

    // Drags piece `i` (grabbed at a pixel that picks it) so that its corner
    // is let go at `to`.
    std::string dragMatchPiece(MgMatchElements* game, int i, Point to)
    {
        const MatchElementsBoard& board = game->getBoard();
        if (i < 0 || i >= board.size())
            return "match elements has no piece " + std::to_string(i);
        const CustomImageWidget* piece = game->getPieces()[static_cast<size_t>(i)];
        const Point grab = findPoint(piece, [&](int x, int y) {
            const int picked = board.pick([&](int j) { return game->getPieces()[static_cast<size_t>(j)]->hitTest(x, y); });
            return picked == i && reachesScreen(game, x, y);
        });
        if (grab.x < 0)
            return "piece " + std::to_string(i) + " cannot be picked up";
        const WidgetGeometry& g = piece->getGeometry();
        stroke({grab, Point(grab.x + to.x - g.x, grab.y + to.y - g.y)});
        return std::string();
    }

    std::string dragSign(MgZodiacSigns* game, int i, Point to)
    {
        const ZodiacBoard& board = game->getBoard();
        if (i < 0 || i >= board.size())
            return "zodiac signs has no sign " + std::to_string(i);
        const ZodiacSign* sign = game->getSigns()[static_cast<size_t>(i)];
        if (!steps.stepUntil([sign] { return !sign->isReturning(); }, SettleMs))
            return "sign " + std::to_string(i) + " does not come to rest";
        const Point grab = findPoint(sign, [&](int x, int y) {
            for (int j = 0; j < board.size(); ++j) {
                if (!board.isPlaced(j) && game->getSigns()[static_cast<size_t>(j)]->hitTest(x, y))
                    return j == i && reachesScreen(game, x, y);
            }
            return false;
        });
        if (grab.x < 0)
            return "sign " + std::to_string(i) + " cannot be picked up";
        const WidgetGeometry& g = sign->getGeometry();
        stroke({grab, Point(grab.x + to.x - g.x, grab.y + to.y - g.y)});
        return std::string();
    }

    // --- whole games ------------------------------------------------------

    std::string solveWhackAMole(MgWhackAMole* game)
    {
        const auto& top = steps.top;
        const WhackAMoleRules& rules = game->getRules();
        while (top() == game && !rules.allCollected()) {
            // A squirrel out with a piece, on a pixel of it that takes the
            // click (the burrow picture covers part of it).
            Point target(-1, -1);
            const bool found = steps.stepUntil(
                [&] {
                    if (top() != game)
                        return true;
                    for (size_t k = 0; k < game->getSquirrels().size(); ++k) {
                        SquirrelWidget* squirrel = game->getSquirrels()[k];
                        if (rules.carriedBy(static_cast<int>(k)) < 0 || squirrel->getTint().a < 128)
                            continue;
                        target = findPoint(squirrel, [&](int x, int y) {
                            return game->getWidgetManager()->widgetAt(x, y) == squirrel;
                        });
                        if (target.x >= 0)
                            return true;
                    }
                    return false;
                },
                SquirrelWaitMs);
            if (!found)
                return "no squirrel came out with a piece";
            if (top() != game)
                break;
            click(target);
        }
        if (!steps.stepUntil([&] { return dynamic_cast<MgMatchElements*>(top()) != nullptr; }, SettleMs * 2))
            return "whack-a-mole did not give way to match elements";
        return std::string();
    }

    std::string solveMatch(MgMatchElements* game)
    {
        const MatchElementsBoard& board = game->getBoard();
        for (int i = 0; i < board.size(); ++i) {
            if (board.isPlaced(i))
                continue;
            const std::string error = dragMatchPiece(game, i, board.home(i));
            if (!error.empty())
                return error;
            if (!board.isPlaced(i))
                return "piece " + std::to_string(i) + " did not snap home";
        }
        return waitFinished(game) ? std::string() : "the finished message did not open";
    }

    std::string solveZodiac(MgZodiacSigns* game)
    {
        const ZodiacBoard& board = game->getBoard();
        for (int guard = 0; guard < 4 * board.size() && !board.allPlaced(); ++guard) {
            int next = -1;
            for (int i = 0; i < board.size() && next < 0; ++i) {
                if (!board.isPlaced(i) && !board.isHeld(i, i))
                    next = i;
            }
            // Every free sign's place is taken by another: one of those
            // makes way (dropped far from every place, it glides home).
            const bool makeWay = next < 0;
            for (int i = 0; i < board.size() && next < 0; ++i) {
                if (!board.isPlaced(i))
                    next = i;
            }
            const std::string error =
                dragSign(game, next, makeWay ? Point(board.init(next).x, board.init(next).y - 80) : board.final(next));
            if (!error.empty())
                return error;
        }
        if (!board.allPlaced())
            return "the signs could not all be placed";
        return waitFinished(game) ? std::string() : "the finished message did not open";
    }

    std::string solveFace(MgFaceDrawing* game)
    {
        if (game->getStars().empty())
            return "face drawing has no stars";
        std::vector<Point> path;
        for (const StarWidget* star : game->getStars()) {
            const WidgetGeometry& g = star->getGeometry();
            path.emplace_back(g.x + g.w / 2, g.y + g.h / 2);
        }
        stroke(path);
        if (!game->getChain().isSolved())
            return "the stroke did not join every star";
        return waitFinished(game) ? std::string() : "the finished message did not open";
    }

private:
    const MiniGameSteps& steps;
    HeadlessDriver& driver;
};

} // namespace

std::optional<std::string> solveNecklaceStarsGame(MiniGameBase* game, const MiniGameSteps& steps)
{
    Player player(steps);
    if (auto* whack = dynamic_cast<MgWhackAMole*>(game))
        return player.solveWhackAMole(whack);
    if (auto* match = dynamic_cast<MgMatchElements*>(game))
        return player.solveMatch(match);
    if (auto* zodiac = dynamic_cast<MgZodiacSigns*>(game))
        return player.solveZodiac(zodiac);
    if (auto* face = dynamic_cast<MgFaceDrawing*>(game))
        return player.solveFace(face);
    return std::nullopt;
}

void addNecklaceStarsCommands(GameDriver& game, const MiniGameSteps& steps)
{
    game.addProbe([](ScreenBase* top, GameDriver::DumpLines& out) {
        auto* screen = dynamic_cast<MiniGameBase*>(top);
        if (!screen)
            return;
        for (Widget* w : screen->getWidgetManager()->getWidgets()) {
            auto* dialog = dynamic_cast<MessageDialogSimple*>(w);
            if (!dialog || dialog->isClosing())
                continue;
            // On one line: the dialog wraps its text.
            std::string text = dialog->getText();
            std::replace(text.begin(), text.end(), '\n', ' ');
            out.emplace_back("minigame.message", text);
        }
    });
    game.driver().addCommand("place", 4, 4, [steps](HeadlessDriver&, const Args& a) -> std::string {
        int i = 0, j = 0, dx = 0, dy = 0;
        if (!DriverScript::toInt(a[0], i) || !DriverScript::toInt(a[1], j) || !DriverScript::toInt(a[2], dx) ||
            !DriverScript::toInt(a[3], dy))
            return "place: piece, place and two offsets";
        Player player(steps);
        MiniGameBase* screen = steps.top();
        if (auto* match = dynamic_cast<MgMatchElements*>(screen)) {
            const Point home = match->getBoard().home(j);
            return player.dragMatchPiece(match, i, Point(home.x + dx, home.y + dy));
        }
        if (auto* zodiac = dynamic_cast<MgZodiacSigns*>(screen)) {
            const Point place = zodiac->getBoard().final(j);
            return player.dragSign(zodiac, i, Point(place.x + dx, place.y + dy));
        }
        return "place: the top screen is neither match elements nor zodiac signs";
    });
}
