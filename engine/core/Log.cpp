#include "engine/core/Log.h"

#include <cstdio>
#include <cstdlib>

namespace {
bool g_errorsFatal = false;
int g_errorCount = 0;
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
