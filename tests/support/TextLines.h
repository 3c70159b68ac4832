#pragma once
// Counting the lines of captured output, for checks that a failure is
// reported in exactly one line.
#include <algorithm>
#include <string>

// The number of '\n' in the text.
inline int lineCount(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}
