#include "engine/store/AppConfig.h"

#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/gfx/GLTexture.h"
#include "engine/core/XmlFile.h"

#include <SDL.h>
#include <cstdlib>
#include <memory>
#include <tinyxml.h>

namespace {

std::unique_ptr<AppConfig> g_instance;

// A missing attribute reads as empty text.
std::string textAttribute(const TiXmlElement* e, const char* name)
{
    const char* v = e->Attribute(name);
    return v ? v : "";
}

// A number the way atoi reads it: a missing attribute or text that is not a
// number gives 0.
int32_t intAttribute(const TiXmlElement* e, const char* name)
{
    const char* v = e->Attribute(name);
    return v ? std::atoi(v) : 0;
}

// A folder below the user's data folder: not empty, not absolute, no "..".
bool isSafeFolder(const std::string& folder)
{
    if (folder.empty() || folder[0] == '/')
        return false;
    std::size_t start = 0;
    while (start <= folder.size()) {
        std::size_t end = folder.find('/', start);
        if (end == std::string::npos)
            end = folder.size();
        if (folder.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

// A plain file name in the save folder.
bool isSafeFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// Whether the file can be opened for reading.
bool canOpen(const std::string& path)
{
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw)
        return false;
    SDL_RWclose(rw);
    return true;
}

} // namespace

AppConfig& AppConfig::getInstance()
{
    if (!g_instance)
        g_instance.reset(new AppConfig());
    return *g_instance;
}

void AppConfig::destroyInstance()
{
    g_instance.reset();
}

AppConfig::~AppConfig() = default;

bool AppConfig::readConfig(const std::string& path)
{
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "configuration"))
        return false;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "Config") {
        logError("configuration: \"" + path + "\" has no <Config> root element");
        return false;
    }
    // Nothing below can fail: every present element is copied into the record.

    if (const TiXmlElement* app = root->FirstChildElement("Application")) {
        if (const TiXmlElement* res = app->FirstChildElement("ScreenResolution")) {
            width = intAttribute(res, "width");
            height = intAttribute(res, "height");
            bitDepth = intAttribute(res, "bitDepth");
            // A window too small for the screens' layout, larger than any
            // display or of a depth OpenGL cannot use would open black, cut
            // off or not at all.
            if (!isUsableWindow(width, height, bitDepth)) {
                logError("configuration: \"" + path + "\" asks for a " + std::to_string(width) + "x" +
                         std::to_string(height) + " window of " + std::to_string(bitDepth) +
                         " bits, which cannot show the game; using " + std::to_string(DefaultWidth) + "x" +
                         std::to_string(DefaultHeight) + " of " + std::to_string(DefaultBitDepth) + " bits");
                width = DefaultWidth;
                height = DefaultHeight;
                bitDepth = DefaultBitDepth;
            }
        }
        if (const TiXmlElement* cap = app->FirstChildElement("WindowCaption"))
            caption = textAttribute(cap, "name");
    }
    if (const TiXmlElement* save = root->FirstChildElement("Savegame")) {
        saveFolder = textAttribute(save, "folder");
        saveFileName = textAttribute(save, "filename");
    }
    if (const TiXmlElement* lang = root->FirstChildElement("Language")) {
        language = textAttribute(lang, "active");
        labelsFile = textAttribute(lang, "labels");
    }
    if (const TiXmlElement* logos = root->FirstChildElement("LogoScreens")) {
        for (const TiXmlElement* s = logos->FirstChildElement("Screen"); s; s = s->NextSiblingElement("Screen"))
            logoScreens.push_back({textAttribute(s, "type"), textAttribute(s, "folder"), textAttribute(s, "filename")});
    }
    if (const TiXmlElement* mc = root->FirstChildElement("MouseCursors")) {
        cursorFolder = textAttribute(mc, "folder");
        for (const TiXmlElement* c = mc->FirstChildElement("Cursor"); c; c = c->NextSiblingElement("Cursor")) {
            CursorEntry entry;
            entry.id = intAttribute(c, "id");
            entry.imageFile = textAttribute(c, "imageFile");
            cursors.push_back(entry);
        }
    }
    // The cursor list may have changed, so an earlier choice no longer holds.
    currentCursor = -1;
    if (const TiXmlElement* vol = root->FirstChildElement("Volume")) {
        soundVolume = intAttribute(vol, "soundVolume");
        musicVolume = intAttribute(vol, "musicVolume");
    }
    return true;
}

bool AppConfig::isUsableWindow(int w, int h, int depth)
{
    return w >= DefaultWidth && h >= DefaultHeight && w <= MaxWindowSide && h <= MaxWindowSide &&
           (depth == 16 || depth == 24 || depth == 32);
}

std::vector<std::pair<std::string, std::string>> AppConfig::applyDefaults(const AppConfigDefaults& defaults)
{
    std::vector<std::pair<std::string, std::string>> replaced;
    auto fill = [&replaced](std::string& field, const std::string& value, bool usable, const char* name) {
        if (usable)
            return;
        field = value;
        replaced.emplace_back(name, value);
    };
    fill(caption, defaults.caption, !caption.empty(), "caption");
    fill(saveFolder, defaults.saveFolder, isSafeFolder(saveFolder), "save folder");
    fill(saveFileName, defaults.saveFileName, isSafeFileName(saveFileName), "save file name");
    fill(language, defaults.language, !language.empty(), "language");
    fill(labelsFile, defaults.labelsFile, !labelsFile.empty(), "labels file");
    return replaced;
}

std::string AppConfig::getCursorImagePath(int n) const
{
    if (n < 0 || n >= static_cast<int>(cursors.size()))
        return "";
    return cursorFolder + cursors[static_cast<std::size_t>(n)].imageFile;
}

bool AppConfig::selectCursor(int n)
{
    AppContext* app = appContext();
    if (!app || n < 0 || n >= static_cast<int>(cursors.size()))
        return false;
    const std::string path = getCursorImagePath(n);
    // A texture that fails to decode still comes back (transparent), so a
    // missing file is caught here, before the caller hides the system cursor.
    if (!canOpen(path)) {
        logError("cursor " + std::to_string(n) + ": cannot open \"" + path + "\"");
        return false;
    }
    currentCursor = n;
    app->setCursorImage(new GLTexture(path));
    return true;
}

bool AppConfig::reselectCursor()
{
    if (currentCursor == -1)
        return false;
    return selectCursor(currentCursor);
}

int AppConfig::getCenteringOffset() const
{
    const AppContext* app = appContext();
    if (!app || app->getWidth() == width)
        return 0;
    // Integer division truncates toward zero, as the callers expect.
    return (width - app->getWidth()) / 2;
}
