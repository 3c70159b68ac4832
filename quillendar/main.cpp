// The game's entry: one application, its start-up, the main loop, the end.
// No command-line argument is read.
//
// Exit status: 0 after the loop ended (also when SIGTERM, SIGINT or SIGHUP
// ended it: the game saved first); 1 when start-up failed (SDL or the video
// mode could not be set up, or another copy of the game holds the save
// folder; error.txt in the save folder says which, why and with what
// values) or the tuning file is missing (one line on standard error and in
// error.txt). One of those signals before the loop runs ends the program
// by that signal (nothing needs saving yet).
#include "engine/store/ConfigFile.h"
#include "quillendar/QuillendarApp.h"

#include <cstdio>

int main()
{
    try {
        QuillendarApp app;
        app.initApp();
        if (app.startupFailed())
            return 1;
        app.run();
    } catch (const ConfigFile::file_not_found& missing) {
        std::fprintf(stderr, "missing %s\n", missing.getFileName().c_str());
        return 1;
    }
    return 0;
}
