#pragma once
// The text form of a driver script: one command per line, words separated by
// blanks, a word in double quotes may hold blanks, '#' at the start of a word
// outside quotes begins a comment (except "#123" key codes, which follow a
// key command), blank lines are skipped. Parsing only splits; which commands
// exist is the driver's business (HeadlessDriver).
#include <string>
#include <vector>

struct ScriptLine {
    int number = 0;                  // 1-based line in the text
    std::vector<std::string> words;  // the command first
};

class DriverScript {
public:
    // Splits the text into lines of words. On an unterminated quote returns
    // false with `error` naming the line, and `lines` unchanged.
    static bool parse(const std::string& text, std::vector<ScriptLine>& lines, std::string& error);

    // Decimal integer with optional sign, nothing else; false otherwise.
    static bool toInt(const std::string& text, int& value);

private:
    DriverScript() = delete;
};
