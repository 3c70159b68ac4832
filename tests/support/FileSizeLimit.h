#pragma once
// While it lives, files this process writes may grow to a given size only,
// as on a nearly full disk: a write past it fails (EFBIG, the same failed
// write a full disk gives with ENOSPC) instead of raising SIGXFSZ. Made
// with RLIMIT_FSIZE, which needs no privilege; the previous limit and
// SIGXFSZ's handler come back when the object goes. Every file this process
// writes meanwhile is limited, captured output included.
#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit limit{bytes, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous{};
    void (*previousHandler)(int) = SIG_DFL;
};
