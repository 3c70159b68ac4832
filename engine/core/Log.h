#pragma once
// Three levels of trouble. Diagnostics go to standard output, one line each.
//  - logWarning: something worth knowing; nothing is wrong with the data.
//  - logError:   bad input (a missing or malformed file): the caller keeps its
//                previous or default state and goes on. Tests may make errors
//                fatal to catch them early.
//  - logFatal:   a broken invariant: the message, then abort.
#include <string>

void logInfo(const std::string& message);
void logWarning(const std::string& message);
void logError(const std::string& message);
// The same, printed only the first time this exact text is logged in the
// run: for damaged content that is read again and again (a picture loaded
// per tile, a key read per dial, a screen opened twice). Every call still
// counts as an error, and aborts when errors are fatal. Past MaxRememberedLines
// different texts, further ones are printed every time.
void logWarningOnce(const std::string& message);
void logErrorOnce(const std::string& message);
constexpr int MaxRememberedLines = 4096;
[[noreturn]] void logFatal(const std::string& message);

// When set, logError aborts after printing (for tests that must not see errors).
void setErrorsFatal(bool fatal);
// Number of errors logged since the process started (tests read it).
int errorCount();
