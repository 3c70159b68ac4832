// The save folder's lock among processes: refused while another process
// holds it, free again once that process has ended or died, and unavailable
// (not refused) where no lock file can be opened.
#include "engine/store/FolderLock.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Result = FolderLock::Result;

// A child process that holds the lock on `path` until it is killed. Returns
// its id once it holds the lock (or -1 when it could not take it).
pid_t holdInChild(const std::string& path)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        FolderLock lock;
        std::string why;
        const char answer = lock.acquire(path, why) == Result::Acquired ? 'y' : 'n';
        if (::write(ready[1], &answer, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char answer = 'n';
    const bool told = child > 0 && ::read(ready[0], &answer, 1) == 1;
    ::close(ready[0]);
    if (!told || answer != 'y') {
        if (child > 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
        return -1;
    }
    return child;
}

} // namespace

TEST(FolderLock, AnotherProcessIsRefusedUntilTheHolderDies)
{
    TempFolder dir;
    const std::string path = dir.path("instance.lock");
    const pid_t holder = holdInChild(path);
    ASSERT_GT(holder, 0);

    FolderLock lock;
    std::string why;
    EXPECT_EQ(lock.acquire(path, why), Result::HeldElsewhere);
    EXPECT_FALSE(lock.isHeld());

    // Killed, the holder cannot release anything itself: the system does.
    ::kill(holder, SIGKILL);
    ASSERT_EQ(::waitpid(holder, nullptr, 0), holder);
    EXPECT_EQ(lock.acquire(path, why), Result::Acquired) << why;
    EXPECT_TRUE(lock.isHeld());
}

TEST(FolderLock, WithoutALockFileToOpenTheLockIsUnavailableNotRefused)
{
    TempFolder dir;
    std::ofstream(dir.path("afile")) << "x";
    FolderLock lock;
    std::string why;
    EXPECT_EQ(lock.acquire(dir.path("afile/instance.lock"), why), Result::Unavailable);
    EXPECT_NE(why.find("Not a directory"), std::string::npos) << why;
    EXPECT_FALSE(lock.isHeld());

    // A folder that has become read-only: an existing lock file still locks
    // (it is only read), a missing one cannot be made. As root, the check
    // runs as another user, for whom the folder is read-only.
    std::ofstream(dir.path("instance.lock"));
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            ::_exit(3);
        FolderLock inside;
        std::string reason;
        if (inside.acquire(dir.path("instance.lock"), reason) != Result::Acquired)
            ::_exit(1);
        FolderLock missing;
        ::_exit(missing.acquire(dir.path("other.lock"), reason) == Result::Unavailable ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(dir.path().c_str(), 0700);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the existing file did not lock, 2: a missing one did, 3: no other user";
}
