#pragma once
// The save store kept in one binary file:
//
//   int32 N (little-endian) | N bytes: the game id | every entry, in key order
//
// The game id comes from the application given at construction. Without an
// application (null) the header is neither written nor checked.
//
// Saving never destroys the previous file: the data goes to a temporary file
// of this save's own in the same folder, "<path>.tmp.<process id>.<n>"
// (created exclusively, so two processes saving the same file at once never
// write into one file), every write is checked, the file is flushed to disk
// and closed, and only then renamed over "<path>": "<path>" is always one
// complete save, the last one renamed. On any failure the old file stays as
// it was, the temporary file is removed, one error line says why and what
// is left ("the previous save is kept" only when there is one), and the
// failure report, when set, gets the same text.
//
// Loading never trusts the file: it is read entry by entry from the disk,
// and every length is checked against the bytes the file holds after it
// before anything is read or allocated for it, so a huge file is refused at
// its first wrong length. An existing file that cannot be loaded completely
// (foreign or broken header, an entry that reads short or invalid) is
// copied, in chunks from the disk, before load returns, with one error line,
// so the save that follows cannot destroy the player's only copy. The copy
// goes to the first free name of "<path>.bad", "<path>.bad1", "<path>.bad2",
// ... up to ".bad" + MaxDamagedCopies (through a temporary file of its own
// and a rename): an earlier copy is never replaced.
// Should the copy fail, save refuses to replace the file until a later load
// finds it missing or sound; so it does for a file that cannot be opened
// and for something other than a plain file in its place (one error line
// each, nothing copied). Only a missing file reads silently.
#include "engine/store/SaveGame.h"

#include <cstdio>
#include <functional>
#include <string>

class AppContext;

class FileSaveGame : public SaveGame {
public:
    // The highest number a copy of a damaged file takes.
    static constexpr int MaxDamagedCopies = 9999;

    // An empty store over `path`. `app` supplies the game id; it is not owned
    // and may be null.
    FileSaveGame(const std::string& path, AppContext* app);
    ~FileSaveGame() override;

    // Writes the header and every entry as described above. Returns false
    // when nothing was saved (the old file unchanged): the temporary file
    // could not be written, an entry failed, the rename failed, or the file
    // on disk is a damaged one that could not be preserved.
    bool save() override;
    // Called with the reason (the text of the error line) every time save()
    // fails; empty by default.
    using FailureReport = std::function<void(const std::string& reason)>;
    void setFailureReport(FailureReport report);
    // Removes the temporary files that saves and copies of this file left
    // behind when their process was cut off (killed, or the machine lost)
    // before it could rename or remove them; one warning line when there
    // were any. Only for a caller that knows no other process is saving this
    // file (it holds the save folder's FolderLock): those files would be
    // another save's work in progress. Returns how many were removed.
    int removeLeftoverTemporaries();
    // False, touching no entry, when the file is missing, unreadable or its
    // header does not match the application's game id (checked up to its
    // first zero byte). On a match loads every entry in key order and returns
    // true; an entry that reads short or invalid keeps its value, and so do
    // all entries after it.
    [[nodiscard]] bool load() override;
    bool write(const void* bytes, std::size_t count) override;
    bool read(void* bytes, std::size_t count) override;
    std::size_t bytesLeft() const override;

    const std::string& getPath() const { return path; }

private:
    // Copies the file at `path` to the first free ".bad" name (through its
    // own temporary file and a rename). On failure save() is blocked.
    // Returns the end of load's error line, saying what became of the file.
    std::string preserveDamaged();
    // Logs the error line for `reason`, calls the failure report; false.
    bool saveFailed(const std::string& reason);

    std::string path;
    AppContext* app;  // not owned; may be null
    std::FILE* output = nullptr;              // open only inside save()
    bool writeFailed = false;                 // a write inside save() failed
    int writeErrno = 0;                       // errno of that write
    std::FILE* input = nullptr;  // open only inside load()
    std::size_t inputSize = 0;   // the file's size when load opened it
    std::size_t inputPos = 0;
    int readErrno = 0;           // errno of a read inside load() that failed
    bool keepDamagedFile = false;  // the file on disk is damaged and not preserved
    FailureReport failureReport;
};
