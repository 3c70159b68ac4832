// Plays a hidden-object scene over damaged content: for each case a copy of
// content/ (hard links) with one file of the sixth scene changed, a child
// process that starts the game there, enters the scene and clicks every
// wanted item it can, step after step. A case passes when the game reached
// the scene, the scene was finished (its minigame step reached) or left
// within a limit of game time, without waiting for an item that no click can
// find, and the output holds the case's line. Hangs are judged in game time;
// the real-time limit of each case is only a backstop for a child that stops
// running frames at all, far beyond what a loaded machine needs.
//
//   game_scene_damage [--work DIR]
//
// Run from the repository root under a display (scripts/with-xvfb.sh), sound
// on SDL's disk driver. Exit status 0 when every case passed, 1 otherwise.
#include "scenes/HOScene.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/GameDriverProbes.h"
#include "tests/driver/HeadlessDriver.h"
#include "tests/driver/QuickFrames.h"
#include "tests/driver/SceneDriverSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const SceneFolder = "content/config/scene/Scene06/";
constexpr int SceneId = 5;
// Fake time the scene may take (16 finds of about a second each, and more).
constexpr uint64_t GameTimeLimitMs = 90000;
// A collect step with no clickable wanted item for this long is stuck.
constexpr int StuckMs = 5000;
// Real time a case may run before it is killed: a backstop, minutes past the
// seconds a case takes on a loaded machine in the sanitizer build.
constexpr int BackstopSeconds = 600;

struct Case {
    std::string name;
    std::string file;  // relative to the working folder
    // Makes the damaged text from the original one; null removes the file.
    std::function<std::string(const std::string&)> damage;
    // Lines (parts of lines) the output must hold.
    std::vector<std::string> lines;
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text with its first `from` replaced by `to`; "" when it has none (the
// case then fails for want of its line).
std::string replaced(const std::string& text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    if (at == std::string::npos)
        return std::string();
    return text.substr(0, at) + to + text.substr(at + from.size());
}

std::vector<Case> cases()
{
    const std::string folder = SceneFolder;
    const std::string items = folder + "Scene.xml";
    const std::string rules = folder + "ItemRenderers.xml";
    const auto lastRule = [](const std::string& id) {
        return [id](const std::string& t) { return replaced(t, "<Rule renderer=\"0\" />", "<Rule renderer=\"" + id + "\" />"); };
    };
    return {
        {"missing picture", folder + "Bell.png", nullptr,
         {"item 0 \"Bell\" cannot be found: its picture \"" + folder + "Bell.png\""}},
        {"item far outside", items,
         [](const std::string& t) { return replaced(t, "x=\"39.0\" y=\"201.0\"", "x=\"-999999999\" y=\"201.0\""); },
         {"item 0 \"Bell\" has x -999999999", "item 0 \"Bell\" cannot be found: its picture"}},
        {"unknown renderer id", rules, lastRule("999999999"),
         {"rule 12 names renderer 999999999, which does not exist", "cannot be found: it has no renderer"}},
        {"renderer id -1", rules, lastRule("-1"), {"rule 12 names renderer -1, which does not exist"}},
        {"count -2", folder + "SceneMechanics.xml",
         [](const std::string& t) { return replaced(t, "count=\"8\"", "count=\"-2\""); },
         {"<Collect name=\"STACK_CFG_MAIN\"> has count -2"}},
    };
}

// In the child: the game in the working folder, into the scene, then every
// wanted item clicked. Prints what happened; 0 when the scene was finished
// or left.
int playScene()
{
    HeadlessDriver driver;
    GameDriver game(driver);
    addGameDriverProbes(game);
    std::string error;
    if (!game.startGame(error)) {
        std::printf("scene-damage: the game did not start: %s\n", error.c_str());
        return 2;
    }
    QuickFrames quick(driver);
    if (!driver.runScript("profile Damage 1\nquest 15\nscene " + std::to_string(SceneId) + "\nwait 1500\n")) {
        std::printf("scene-damage: %s\n", driver.lastError().c_str());
        return 3;
    }
    // The scene may lie under its minigame already (no step had anything to
    // find).
    HOScene* scene = topScene(game);
    if (!scene || scene->getSceneId() != SceneId) {
        std::printf("scene-damage: the scene was not reached; top %s\n", game.stateValue("top").c_str());
        return 4;
    }
    const uint64_t end = driver.now() + GameTimeLimitMs;
    int idleMs = 0;
    while (driver.now() < end) {
        scene = topScene(game);
        if (!scene || scene->getSceneId() != SceneId) {
            std::printf("scene-damage: the scene was left; top %s\n", game.stateValue("top").c_str());
            return 0;
        }
        const MechanicsStep* step = scene->stepAt(scene->getStepIndex());
        if (!step || step->kind == MechanicsStep::Screen) {
            std::printf("scene-damage: the scene was finished at step %d\n", scene->getStepIndex());
            return 0;
        }
        if (clickWanted(game)) {
            idleMs = 0;
        } else if ((idleMs += 300) > StuckMs) {
            std::printf("scene-damage: step %d waits for items no click can find: wanted %s\n",
                        scene->getStepIndex(), game.stateValue("scene.wanted").c_str());
            return 5;
        }
        // 300 ms in frames of 30 ms (the loop's 10 ms wait and 20 more), the
        // longest update the game makes.
        bool running = true;
        for (int f = 0; f < 10 && running; ++f) {
            driver.advanceTime(20);
            running = driver.step(1);
        }
        if (!running)
            break;
    }
    std::printf("scene-damage: the scene did not end within %llu ms of game time\n",
                static_cast<unsigned long long>(GameTimeLimitMs));
    return 6;
}

// Makes the case's copy of content/ under `root` and damages it there: the
// link to the file is removed, never written through.
bool prepare(const std::string& root, const Case& c)
{
    std::error_code ec;
    fs::remove_all(root, ec);
    fs::create_directories(root + "/appdata", ec);
    fs::copy("content", root + "/content", fs::copy_options::recursive | fs::copy_options::create_hard_links, ec);
    if (ec) {
        std::printf("scene-damage: cannot copy content to %s: %s\n", root.c_str(), ec.message().c_str());
        return false;
    }
    const std::string target = root + "/" + c.file;
    const std::string original = readFile(target);
    fs::remove(target, ec);
    if (!c.damage)
        return !fs::exists(target);
    const std::string text = c.damage(original);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out << text;
    return !text.empty() && bool(out);
}

int spawn(const std::string& root)
{
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    if (::chdir(root.c_str()) != 0 || !std::freopen("case.log", "w", stdout))
        std::_Exit(2);
    ::dup2(STDOUT_FILENO, STDERR_FILENO);
    setvbuf(stdout, nullptr, _IOLBF, 0);
    ::setenv("APPDATA", (root + "/appdata").c_str(), 1);
    const int outcome = playScene();
    std::fflush(stdout);
    std::exit(outcome);
}

// The case's failure, or "" when it passed.
std::string judge(const Case& c, int status, bool killed, const std::string& output)
{
    if (killed)
        return "still running after " + std::to_string(BackstopSeconds) + " s of real time (killed)";
    if (WIFSIGNALED(status))
        return "crashed (signal " + std::to_string(WTERMSIG(status)) + ")";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::string why;
        std::istringstream in(output);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("scene-damage: ", 0) == 0)
                why = line.substr(14);
        return why.empty() ? "exited with status " + std::to_string(WEXITSTATUS(status)) : why;
    }
    for (const std::string& line : c.lines)
        if (output.find(line) == std::string::npos)
            return "nothing on the output says: " + line;
    return std::string();
}

} // namespace

int main(int argc, char** argv)
{
    std::string work = "build/scene-damage";
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--work" && i + 1 < argc) {
            work = argv[++i];
        } else {
            std::fprintf(stderr, "usage: game_scene_damage [--work DIR]\n");
            return 2;
        }
    }
    work = fs::absolute(work).lexically_normal().string();
    // The children draw into one pixel: the software GL's worker threads
    // would cost each more than they save.
    ::setenv("LP_NUM_THREADS", "0", 0);
    const auto t0 = std::chrono::steady_clock::now();
    const std::vector<Case> all = cases();
    std::vector<int> pids;
    std::vector<std::chrono::steady_clock::time_point> started;
    for (size_t i = 0; i < all.size(); ++i) {
        const std::string root = work + "/case" + std::to_string(i);
        if (!prepare(root, all[i])) {
            std::printf("scene-damage: cannot damage %s for the case %s\n", all[i].file.c_str(),
                        all[i].name.c_str());
            return 1;
        }
        pids.push_back(spawn(root));
        started.push_back(std::chrono::steady_clock::now());
    }
    int failures = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        int status = 0;
        bool killed = false;
        pid_t got = 0;
        while ((got = ::waitpid(pids[i], &status, WNOHANG)) == 0) {
            if (std::chrono::steady_clock::now() - started[i] > std::chrono::seconds(BackstopSeconds)) {
                ::kill(pids[i], SIGKILL);
                ::waitpid(pids[i], &status, 0);
                killed = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        const std::string output = readFile(work + "/case" + std::to_string(i) + "/case.log");
        const std::string failure = judge(all[i], status, killed, output);
        if (failure.empty()) {
            std::printf("scene-damage: ok   %s (%s)\n", all[i].name.c_str(), all[i].file.c_str());
        } else {
            ++failures;
            std::printf("scene-damage: FAIL %s (%s): %s\n", all[i].name.c_str(), all[i].file.c_str(),
                        failure.c_str());
        }
    }
    std::error_code ec;
    // SCENE_DAMAGE_KEEP=1 keeps the copies and the children's logs to look at.
    if (failures == 0 && !std::getenv("SCENE_DAMAGE_KEEP"))
        fs::remove_all(work, ec);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("scene-damage: %zu cases, %d failed, %.1f s\n", all.size(), failures, seconds);
    return failures == 0 ? 0 : 1;
}
