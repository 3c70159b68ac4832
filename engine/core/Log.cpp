#include "engine/core/Log.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <unordered_set>

namespace {
bool g_errorsFatal = false;
int g_errorCount = 0;

// Whether the text is new to the run (and is now remembered). Never freed,
// so that a line logged from a destructor at exit still finds it.
bool firstTime(const std::string& message)
{
    static auto* guard = new std::mutex;
    static auto* seen = new std::unordered_set<std::string>;
    std::lock_guard<std::mutex> lock(*guard);
    if (seen->count(message))
        return false;
    if (static_cast<int>(seen->size()) < MaxRememberedLines)
        seen->insert(message);
    return true;
}
}

void logInfo(const std::string& message)
{
    std::printf("%s\n", message.c_str());
    std::fflush(stdout);
}

void logWarning(const std::string& message)
{
    std::printf("warning: %s\n", message.c_str());
    std::fflush(stdout);
}

void logError(const std::string& message)
{
    ++g_errorCount;
    std::printf("error: %s\n", message.c_str());
    std::fflush(stdout);
    if (g_errorsFatal)
        std::abort();
}

void logWarningOnce(const std::string& message)
{
    if (firstTime("warning: " + message))
        logWarning(message);
}

void logErrorOnce(const std::string& message)
{
    if (firstTime("error: " + message)) {
        logError(message);
        return;
    }
    ++g_errorCount;
    if (g_errorsFatal)
        std::abort();
}

void logFatal(const std::string& message)
{
    std::printf("fatal: %s\n", message.c_str());
    std::fflush(stdout);
    std::abort();
}

void setErrorsFatal(bool fatal)
{
    g_errorsFatal = fatal;
}

int errorCount()
{
    return g_errorCount;
}
