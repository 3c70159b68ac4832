#pragma once
// Starts the game to its start screen once per missing or damaged content
// file, each start in its own child process, and judges how each went.
//
// The files are those the game opens on its way to the start screen: a first
// start with nothing changed records them (inotify on every content folder).
// Then, for each such file, one start without it; for each XML, .fnt or .cfg
// among them two more, with the file cut to half its length and with the
// file replaced by as many seeded random bytes.
//
// The real "content/" is never touched: each of the `jobs` parallel slots
// works in its own copy of it, made of hard links (plain copies where links
// cannot be made), under the work folder; a case removes or replaces the link
// in its slot's copy (never writing through it) and puts the link back
// afterwards. Each start is a forked child (the parent never starts SDL)
// that runs in its slot folder with its own save folder and writes its
// output into a file; a crash, a sanitizer report or a hang ends only that
// child and becomes a failure of that case.
//
// A case passes when the child reached the start screen, or when the file
// is one the game needs (the child's status says it exited with a line
// naming the file), and when its output names the missing or damaged file
// (except the files whose absence is no fault: JPEG masks).
#include <functional>
#include <string>
#include <vector>

class ContentLossCheck {
public:
    // Child exit codes.
    enum Outcome { Reached = 0, Refused = 3, NoStart = 4, NoStartScreen = 5 };
    enum class Change { None, Missing, Half, Garbage };

    struct Case {
        std::string file;  // relative to the working folder: "content/..."
        Change change = Change::None;
    };

    // Starts the game in the working folder and returns an Outcome; runs in
    // the child, which exits with it.
    using StartFunction = std::function<int()>;

    ContentLossCheck(std::string contentFolder, std::string workFolder, StartFunction start);

    int jobs = 3;
    // 0: every case; else a seeded sample of this many cases.
    int sample = 0;
    unsigned seed = 1;
    // A child that runs longer than this in real time is killed and fails
    // its case: a backstop for a start that stops running frames (the start
    // itself is judged in game time), minutes past the seconds one takes on
    // a loaded machine in the sanitizer build.
    int timeoutSeconds = 300;

    // The whole check; prints one line per failure and a summary. True when
    // every case passed.
    bool run();

    // Files opened during the first start (after run), in the order first seen.
    const std::vector<std::string>& filesRead() const { return readFiles; }

    // The cases for the files read, in order.
    static std::vector<Case> casesFor(const std::vector<std::string>& files);
    static bool isStructuredText(const std::string& file);
    // A missing file whose absence is by design no fault and not reported.
    static bool absenceIsSilent(const std::string& file);
    static const char* changeName(Change change);
    // "" when the case passed, else why not; `status` as waitpid gives it,
    // `output` what the child printed.
    static std::string judge(const Case& c, int status, const std::string& output);

    // Makes the case's change to the copy of the file under `slotRoot`
    // (`source` is the real file): removes the copy's link, then for damage
    // writes a new file in its place, so the real file never changes.
    static bool applyChange(const std::string& slotRoot, const std::string& source, const Case& c, unsigned seed);
    // Links (or copies) the real file back into the slot.
    static bool restore(const std::string& slotRoot, const std::string& source, const std::string& file);

private:
    struct Slot;

    bool makeSlots();
    bool recordFilesRead();
    std::string runCases(const std::vector<Case>& cases, int& failures);
    // Forks a child that changes into `root`, sends its output to `logPath`
    // and runs the start; its pid, or -1.
    int spawn(const std::string& root, const std::string& logPath) const;

    std::string content;
    std::string work;
    StartFunction start;
    std::vector<std::string> slotRoots;
    std::vector<std::string> readFiles;
};
