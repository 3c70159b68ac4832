#pragma once
// The process-wide configuration record read once at start-up from the
// configuration XML (root element <Config>): window size and colour depth,
// window caption, save location, language and label file, logo screens,
// mouse cursors and default volumes. Every other part reads it.
//
// Created with its defaults on first use by getInstance(). The game
// application destroys it at the end of the run with destroyInstance(); the
// next getInstance() then makes a fresh record (tests rely on this).
//
// Defaults: 1024 x 768 x 32, every string empty, no logo screens and no
// cursors, no cursor chosen (-1), sound volume 75, music volume 50. Volumes
// are in the mixer's 0-128 scale and are passed through unchanged (the save
// entries they seed keep them in range). A game fills the strings that the
// file left out with its own defaults through applyDefaults.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One logo screen of the start-up sequence, in file order.
struct LogoScreenEntry {
    std::string type;
    std::string folder;
    std::string filename;
};

// One mouse cursor; the image path is the cursor folder followed directly by
// imageFile.
struct CursorEntry {
    int32_t id = 0;
    std::string imageFile;
};

// What a game uses where its configuration file gives nothing usable.
struct AppConfigDefaults {
    std::string caption;
    std::string saveFolder;
    std::string saveFileName;
    std::string language;
    std::string labelsFile;
};

class AppConfig {
public:
    // The window every screen is laid out for: the size and depth used when
    // the file gives no usable window.
    static constexpr int DefaultWidth = 1024;
    static constexpr int DefaultHeight = 768;
    static constexpr int DefaultBitDepth = 32;
    // The longest window side the file may ask for.
    static constexpr int MaxWindowSide = 8192;

    static AppConfig& getInstance();
    // Deletes the record; the next getInstance() creates a fresh one.
    static void destroyInstance();

    ~AppConfig();
    AppConfig(const AppConfig&) = delete;
    AppConfig& operator=(const AppConfig&) = delete;

    // Reads the file into the record. Elements that are present replace their
    // fields (a missing attribute reads as empty text, or 0 for a number; a
    // number is read the way atoi does, so "abc" gives 0); absent elements
    // leave their fields as they were. Screen and Cursor elements are appended
    // to the lists in document order. A successful read forgets the chosen
    // cursor (-1). A ScreenResolution that is not a usable window (see
    // isUsableWindow) gives 1024 x 768 x 32 and one error line naming the
    // file and the values.
    // A missing or malformed file, or one whose root is not <Config>, returns
    // false after one error line naming the file, and changes nothing.
    [[nodiscard]] bool readConfig(const std::string& path);

    // At least 1024 x 768 (the layout of every screen), at most
    // MaxWindowSide a side, and 16, 24 or 32 bits per pixel.
    static bool isUsableWindow(int width, int height, int bitDepth);

    // Replaces each of these settings that is empty by the default: caption,
    // save folder, save file name, language, labels file. The save folder
    // and file name are also replaced when they would lead outside the
    // user's data folder (an absolute path, a ".." part; a file name with a
    // '/' in it). Returns the settings replaced, in that order, each as its
    // name ("caption", "save folder", "save file name", "language", "labels
    // file") and the value now used; empty when the file gave them all.
    std::vector<std::pair<std::string, std::string>> applyDefaults(const AppConfigDefaults& defaults);

    // Makes cursor n (an index into getCursors()) the application's software
    // cursor: loads getCursorImagePath(n) as a texture and hands it to the
    // installed application, which owns it. Returns false and changes nothing
    // when no application is installed (no window, so no GL texture can be
    // made and nobody would draw it), when n is out of range, or when the
    // image file cannot be opened (the pointer would otherwise be invisible
    // while the caller hides the system cursor; one error line says so).
    bool selectCursor(int n);
    // Selects the chosen cursor again (a fresh texture after the GL context
    // was re-created). Returns false and does nothing when none was chosen.
    bool reselectCursor();

    // The horizontal offset that screens and widgets SUBTRACT from drawing
    // and pointer x to centre content laid out for the configured width in a
    // window of the application's width: 0 when the widths are equal or no
    // application is installed, else (configured width - application width)
    // / 2, truncated toward zero. The window opens at the configured width,
    // so in practice it is 0.
    int getCenteringOffset() const;

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getBitDepth() const { return bitDepth; }
    const std::string& getCaption() const { return caption; }
    const std::string& getSaveFolder() const { return saveFolder; }
    const std::string& getSaveFileName() const { return saveFileName; }
    const std::string& getLanguage() const { return language; }
    const std::string& getLabelsFile() const { return labelsFile; }
    const std::string& getCursorFolder() const { return cursorFolder; }
    // Index of the chosen cursor, -1 when none was chosen.
    int getCurrentCursor() const { return currentCursor; }
    int getSoundVolume() const { return soundVolume; }
    int getMusicVolume() const { return musicVolume; }
    const std::vector<LogoScreenEntry>& getLogoScreens() const { return logoScreens; }
    const std::vector<CursorEntry>& getCursors() const { return cursors; }
    // Cursor folder + imageFile of cursor n (plain concatenation, no
    // separator added); "" when n is out of range.
    std::string getCursorImagePath(int n) const;

private:
    AppConfig() = default;

    int32_t width = 1024;
    int32_t height = 768;
    int32_t bitDepth = 32;
    std::string caption;
    std::string saveFolder;
    std::string saveFileName;
    std::string language;
    std::string labelsFile;
    std::string cursorFolder;
    int32_t currentCursor = -1;
    int32_t soundVolume = 75;
    int32_t musicVolume = 50;
    std::vector<LogoScreenEntry> logoScreens;
    std::vector<CursorEntry> cursors;
};
