// Plays a driver script against the real game, frame by frame with fake
// time, and prints the hook log (with its dumps) to standard output.
//
//   game_driver [--appdata DIR] SCRIPT
//
// Run from the repository root (content paths are relative) under a display
// (scripts/with-xvfb.sh). Without --appdata the save folder is a fresh
// temporary one, removed at the end; with it, the folder is used and kept,
// so that a second run continues from the first one's save. Exit status: 0
// when every line of the script worked, 1 when one failed (the line and the
// reason on standard error), 2 for a usage error or a game that did not start.
#include "tests/driver/GameDriver.h"
#include "tests/driver/GameDriverProbes.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    std::string appData;
    std::string script;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--appdata" && i + 1 < argc)
            appData = argv[++i];
        else if (script.empty() && arg.rfind("--", 0) != 0)
            script = arg;
        else {
            std::fprintf(stderr, "usage: game_driver [--appdata DIR] SCRIPT\n");
            return 2;
        }
    }
    if (script.empty()) {
        std::fprintf(stderr, "usage: game_driver [--appdata DIR] SCRIPT\n");
        return 2;
    }

    std::string tempFolder;
    if (appData.empty()) {
        char pattern[] = "/tmp/quill-driver.XXXXXX";
        if (!mkdtemp(pattern)) {
            std::perror("game_driver: mkdtemp");
            return 2;
        }
        tempFolder = appData = pattern;
    }
    std::filesystem::create_directories(appData);
    ::setenv("APPDATA", appData.c_str(), 1);

    int status = 0;
    {
        HeadlessDriver driver;
        GameDriver game(driver);
        addGameDriverProbes(game);
        std::string error;
        if (!game.startGame(error)) {
            std::fprintf(stderr, "game_driver: %s\n", error.c_str());
            status = 2;
        } else if (!driver.runScriptFile(script)) {
            std::fprintf(stderr, "game_driver: %s\n", driver.lastError().c_str());
            status = 1;
        }
        std::cout << driver.log().dump();
    }
    if (!tempFolder.empty())
        std::filesystem::remove_all(tempFolder);
    return status;
}
