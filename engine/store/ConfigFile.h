#pragma once
// The game's tuning table: a plain-text file of `key = value` lines read once
// at start-up and then queried by key, with a default, everywhere in the game.
//
// File format (with the usual arguments "=", "#" and "EndConfigFile"):
//  - Everything from the comment mark to the end of its line is ignored.
//  - A line containing the end marker (outside a comment) ends the reading.
//    A file that ends without one (cut short) keeps what it holds and gives
//    one error line naming the file.
//  - A line with the separator stores key = value; lines without it are
//    ignored. Key and value are trimmed of spaces, tabs, CR, LF, VT and FF.
//  - The lines after a key line that hold neither the separator nor the end
//    marker continue its value, each after a line feed. A blank line ends the
//    value; a line that is blank once its comment is cut (a comment-only
//    line) neither ends the value nor adds to it.
//  - A key seen again replaces the earlier value (last wins). Keys are
//    case-sensitive. Line ends may be LF or CRLF.
//
// The contents never change after the constructor; the getters never add a
// key. Only the first comment mark, separator and end-marker occurrence on a
// line count. An empty comment mark disables comments, an empty end marker
// disables the end, an empty separator matches no line.
#include <map>
#include <stdexcept>
#include <string>

class ConfigFile {
public:
    // Thrown by the constructor when the file cannot be opened.
    class file_not_found : public std::runtime_error {
    public:
        explicit file_not_found(const std::string& fileName);
        // The name the ConfigFile was constructed with.
        const std::string& getFileName() const { return fileName; }

    private:
        std::string fileName;
    };

    // Stores the arguments; when `load` is true reads the file at once and
    // throws file_not_found (leaving nothing behind) when it cannot be opened.
    // With `load` false the table stays empty.
    explicit ConfigFile(const std::string& fileName, bool load = true,
                        const std::string& separator = "=", const std::string& comment = "#",
                        const std::string& endMarker = "EndConfigFile");
    ConfigFile(const ConfigFile&) = delete;
    ConfigFile& operator=(const ConfigFile&) = delete;

    // The value under the key, or `def` when the key is absent.
    std::string getParamString(const std::string& key, const std::string& def) const;
    // The value read as a decimal integer the way stream extraction reads it
    // (leading white space skipped, optional sign, digits up to the first
    // non-digit: " 42 " gives 42, "12ms" gives 12). `def` when the key is
    // absent, when the value does not begin with a number or when the number
    // does not fit an int.
    int getParamInt(const std::string& key, int def) const;
    // The value read as a floating-point number the same way ("2.5s" gives
    // 2.5); `def` when the key is absent or the value does not begin with a
    // finite number.
    float getParamFloat(const std::string& key, float def) const;
    // stringToBool of the value, or `def` when the key is absent.
    bool getParamBool(const std::string& key, bool def) const;

    const std::string& getFileName() const { return fileName; }

private:
    void readFile();

    std::string fileName;
    std::string separator;
    std::string comment;
    std::string endMarker;
    std::map<std::string, std::string> contents;
};

// False for "FALSE", "F", "NO", "N", "0" and "NONE" in any letter case (the
// whole text, nothing trimmed); true for every other text, "" included.
bool stringToBool(const std::string& text);
// The floating-point number at the start of the text (stream extraction: "
// 2.5s" gives 2.5); 0 when the text does not begin with a finite number.
float stringToFloat(const std::string& text);

// The game's tuning table, read through the two-argument getters below. The
// game sets it at start-up and clears it (null) before deleting the table;
// the table is not owned here.
void setGameParameters(ConfigFile* table);
ConfigFile* gameParameters();

// The getters of the installed table. While no table is installed they
// return the default and print one warning line the first time each key is
// asked for.
std::string getParamString(const std::string& key, const std::string& def);
int getParamInt(const std::string& key, int def);
float getParamFloat(const std::string& key, float def);
bool getParamBool(const std::string& key, bool def);
