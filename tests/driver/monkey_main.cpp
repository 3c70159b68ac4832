// A monkey run over the real game (MonkeyRun.h): random input for a number
// of frames, with fake time, printing the seed and the resident memory.
//
//   game_monkey [--seed N] [--frames N] [--rss-every N] [--appdata DIR]
//
// Run from the repository root under a display (scripts/with-xvfb.sh), sound
// on SDL's disk driver. Without --seed the seed comes from the clock (it is
// printed either way, so a failing run can be repeated). Without --appdata
// the save folder is a fresh temporary one, removed at the end. Exit status
// 0 when every frame ran, 2 for a usage error or a game that did not start;
// a crash ends the process with the last events on standard error.
#include "tests/driver/DriverScript.h"
#include "tests/driver/MonkeyRun.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: game_monkey [--seed N] [--frames N] [--rss-every N] [--appdata DIR]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    MonkeyRun::Options options;
    options.seed = static_cast<uint32_t>(std::time(nullptr));
    std::string appData;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return usage();
        const std::string value = argv[++i];
        int number = 0;
        if (arg == "--appdata") {
            appData = value;
            continue;
        }
        if (!DriverScript::toInt(value, number) || number < 0)
            return usage();
        if (arg == "--seed")
            options.seed = static_cast<uint32_t>(number);
        else if (arg == "--frames")
            options.frames = number;
        else if (arg == "--rss-every")
            options.rssEvery = number;
        else
            return usage();
    }

    std::string tempFolder;
    if (appData.empty()) {
        char pattern[] = "/tmp/quill-monkey.XXXXXX";
        if (!mkdtemp(pattern)) {
            std::perror("game_monkey: mkdtemp");
            return 2;
        }
        tempFolder = appData = pattern;
    }
    std::filesystem::create_directories(appData);
    ::setenv("APPDATA", appData.c_str(), 1);

    MonkeyRun::installCrashReport();
    int status = 0;
    try {
        MonkeyRun monkey(options);
        std::string error;
        if (!monkey.run(error)) {
            std::fprintf(stderr, "game_monkey: %s (seed %u); the last events:\n", error.c_str(), options.seed);
            MonkeyRun::printLastEvents();
            status = 2;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "game_monkey: %s (seed %u); the last events:\n", e.what(), options.seed);
        MonkeyRun::printLastEvents();
        status = 1;
    }
    if (!tempFolder.empty())
        std::filesystem::remove_all(tempFolder);
    return status;
}
