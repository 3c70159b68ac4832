#pragma once
// Sound effects by name. Every screen and widget plays its effects through
// here ("BUTTON_OVER", "LIGHTNING", ...), never by file. A name may have
// several variants (files); playing it picks one at random, so repeated
// effects vary.
//
// The list comes from "content/config/sfx.xml": root <SFX> with an optional
// "defaultPath" (a folder prefix, joined to every path as it is), then in
// document order <Sound name="N" path="file"/> (one variant of N) and
// <RandomSound name="N"> with <Sound path="file"/> children (one variant per
// child). Other elements, and those with an empty or missing name or path,
// add nothing. The variants of N are held under the resource ids N_0, N_1,
// ... in file order.
//
// The sounds live in a resource manager of the container's own. When an
// application is installed it supplies that manager (it belongs to the
// application's list, which releases it around a new GL context), and the
// destructor hands it back: the container must therefore be destroyed
// before the application (SfxContainer::destroyInstance()); one destroyed
// after it, with no application installed, leaves the manager to the
// application that already deleted it. Without an application the container
// keeps a manager itself.
#include "game/SingletonContainer.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class AppContext;
class ResourceManager;
class Sound;

class SfxContainer : public SingletonContainer<SfxContainer> {
public:
    // Empty and not loaded; takes its resource manager (see above).
    SfxContainer();
    // Deletes the sounds with their manager.
    ~SfxContainer() override;

    // Reads an sfx.xml file and marks the container loaded. Returns false,
    // leaving the container as it was (not loaded when it was not before),
    // when the file cannot be read or parsed or its root is not <SFX> (one
    // error line). A sound file that fails to load is still registered and
    // stays silent.
    [[nodiscard]] bool loadSfx(const std::string& path);
    // Set once an sfx.xml file was read; callers play only then.
    bool isLoaded() const { return loaded; }

    // Plays one variant of the name picked at random: once, or repeating
    // until stopped when `loop` is set. A name without variants does nothing.
    void playSound(const std::string& name, bool loop);
    // Called with the name of every effect asked for by playSound, known or
    // not, before it plays (tests count effects through it); none by default.
    using PlayObserver = std::function<void(const std::string& name)>;
    void setPlayObserver(PlayObserver observer) { playObserver = std::move(observer); }
    // Halts every variant of the name that is playing.
    void stopSound(const std::string& name);
    // The first variant's sound (owned by the container), or null.
    Sound* getSound(const std::string& name) const;
    // The resource ids of the name's variants in file order (empty for an
    // unknown name).
    std::vector<std::string> variantIds(const std::string& name) const;
    // The manager that owns the sounds.
    ResourceManager* getResources() const { return resources; }

private:
    void addVariant(const std::string& name, const std::string& file);

    // Not owned when it comes from the application (slot resourcesIndex of
    // `owner`), else the same object as ownResources.
    ResourceManager* resources = nullptr;
    std::unique_ptr<ResourceManager> ownResources;
    int resourcesIndex = -1;
    // The application that gave the manager; it is handed back only to that
    // one, and only while it is still installed.
    AppContext* owner = nullptr;
    // Effect name -> resource ids of its variants, in file order.
    std::map<std::string, std::vector<std::string>> sounds;
    std::string defaultPath;
    bool loaded = false;
    PlayObserver playObserver;
};
