#include "engine/store/FolderLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLock::~FolderLock()
{
    release();
}

FolderLock::Result FolderLock::acquire(const std::string& path, std::string& why)
{
    release();
    why.clear();
    // Close-on-exec: a program this one starts must not keep the folder held
    // after this one has ended.
    int file = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (file < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);  // flock needs no write access
    if (file < 0) {
        why = "cannot open \"" + path + "\": " + std::strerror(errno);
        return Result::Unavailable;
    }
    int locked;
    do {
        locked = ::flock(file, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int err = errno;
        ::close(file);
        if (err == EWOULDBLOCK)
            return Result::HeldElsewhere;
        why = "cannot lock \"" + path + "\": " + std::strerror(err);
        return Result::Unavailable;
    }
    fd = file;
    return Result::Acquired;
}

void FolderLock::release()
{
    if (fd < 0)
        return;
    // Closing the only descriptor of the open file releases its lock.
    ::close(fd);
    fd = -1;
}
