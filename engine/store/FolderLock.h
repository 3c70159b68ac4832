#pragma once
// An exclusive hold on a folder among processes, for one program that must
// be the only one writing there (a save folder): a lock (flock) on a file in
// the folder. The system releases it when the holder releases it, ends or
// dies, so no lock outlives a crashed or killed holder, and nothing ever has
// to be cleaned up by hand. The lock file stays in the folder and holds no
// data: removing it while a holder runs would let a second one in.
//
// The lock is tied to the open file: a second FolderLock on the same file in
// the same process is refused like another process, and a child process
// started with exec does not inherit it.
#include <string>

class FolderLock {
public:
    enum class Result {
        Acquired,       // held until release() or destruction
        HeldElsewhere,  // another process (or another FolderLock) holds it
        Unavailable     // the file cannot be opened or locked; see `why`
    };

    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock on the file at `path`, created when missing (an
    // existing one is only opened, also in a folder that has become
    // read-only). Never waits. A lock already held by this object is
    // released first. Unavailable covers a folder that cannot be written
    // and holds no lock file yet, a save folder that is a file, and file
    // systems without locks; `why` then says what failed.
    [[nodiscard]] Result acquire(const std::string& path, std::string& why);
    // Gives the lock up; nothing when none is held.
    void release();
    bool isHeld() const { return fd >= 0; }

private:
    int fd = -1;
};
