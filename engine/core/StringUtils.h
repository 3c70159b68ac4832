#pragma once
// String, path and number helpers used across the engine and the game.
// Paths inside the program always use '/' as separator.
#include <string>
#include <vector>

// A copy with every character upper-cased by the C runtime (in the default
// locale only a-z change).
std::string toUpper(const std::string& s);

// Appends to `out` (which is not cleared) every piece between separators,
// empty pieces included, and finally the piece after the last separator.
void splitString(const std::string& s, std::vector<std::string>& out, char separator);
// Value-returning form of the above.
std::vector<std::string> splitString(const std::string& s, char separator);

// The user's data folder, without a trailing '/'. $APPDATA when set and not
// empty; else $XDG_DATA_HOME; else $HOME/.local/share; else the temporary
// folder. Never the file-system root.
std::string getAppDataPath();

// Creates every folder along the path (like `mkdir -p`); existing folders and
// failures are ignored. Returns true when the whole path exists afterwards.
bool makeDirectories(const std::string& path);

// The string without its last character when that is '/'.
std::string removeTrailingSlash(const std::string& s);

// The text after the last '.' when it follows the last '/'; else "".
std::string getExtension(const std::string& path);
// The text before the last '.' under the same rule; else the path itself.
std::string removeExtension(const std::string& path);

// atoi of the text, or `def` when the pointer is null (optional XML attributes).
int toIntOrDefault(const char* s, int def);
// atoi of the text (leading digits; 0 when there are none).
int stringToInt(const std::string& s);

// UTF-16 text (as held by std::u16string) to UTF-8.
std::string wideToUtf8(const std::u16string& s);
// A platform wide string (UTF-32 where wchar_t is 32-bit) to UTF-8.
std::string wideToUtf8(const std::wstring& s);

// rand() modulo n from the C library's generator, seeded once per process
// from the clock on first use. Returns 0 when n <= 0.
int randomBelow(int n);

// out = s with every `from` replaced by `to`.
void replaceChar(const std::string& s, std::string& out, char from, char to);
std::string replaceChar(const std::string& s, char from, char to);
