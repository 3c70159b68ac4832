#pragma once
// Owns textures, fonts, music and sound effects under string ids (used as
// given; the game passes upper-case ids such as "FONT_ARIAL14"). It deletes
// everything it holds when destroyed, and releases and reloads the GPU side
// of its textures and fonts around a re-creation of the GL context.
//
// Textures sit in a vector, indexed from 0, some of them under an id
// (registerTexture) and some without one (addTexture). Every id refers to a
// valid index.
//
// Registering under an id that is taken deletes the object held there; a
// holder of a direct pointer to it must not use it afterwards. Registering
// the object already held under that same id changes nothing.
#include "engine/core/Types.h"
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Font;
class GLTexture;
class Music;
class Sound;

class ResourceManager : public ReferenceCountable {
public:
    // Bits of the flags of releaseGpuResources / reloadGpuResources.
    enum GpuResourceFlags { FontResources = 1, TextureResources = 2 };

    ResourceManager();
    // Deletes every texture in vector order, then every font, music and sound
    // in id order.
    ~ResourceManager() override;
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // Takes ownership of `texture`. A taken id keeps its index: the texture
    // there is deleted and the new one takes its place. A new id appends.
    void registerTexture(const std::string& id, GLTexture* texture);
    // Takes ownership of `texture` and appends it without an id; returns its index.
    int addTexture(GLTexture* texture);
    // The texture of the image file at `path` loaded with the defaults: one
    // this manager already holds (registered or added) when there is one,
    // else a new one, added without an id. Screens that draw the same file
    // in several places decode and upload it once. Registering another
    // texture under the id of a shared one deletes it for every holder.
    GLTexture* textureForFile(const std::string& path);
    // The texture under the id. An id never registered gives null and one
    // line on standard error.
    GLTexture* getTexture(const std::string& id) const;
    // The texture under the id, or null (silently) when there is none. Looked
    // up in place: drawing code may call it each frame with a literal.
    GLTexture* findTexture(std::string_view id) const;

    // Take ownership of the object; one held under the same id is deleted first.
    void registerFont(const std::string& id, Font* font);
    void registerMusic(const std::string& id, Music* music);
    void registerSound(const std::string& id, Sound* sound);
    // The object under the id. An id never registered gives null and one line
    // on standard error naming the kind and the id.
    Font* getFont(const std::string& id) const;
    Music* getMusic(const std::string& id) const;
    Sound* getSound(const std::string& id) const;

    // TextureResources: every texture in vector order drops its GPU copy;
    // FontResources: every font in id order does. Music and sounds are not
    // on the GPU and are never touched.
    void releaseGpuResources(int flags);
    // The same walk, uploading again.
    void reloadGpuResources(int flags);

private:
    std::vector<std::unique_ptr<GLTexture>> textures;
    std::map<std::string, int, std::less<>> textureIds;  // id -> index into textures
    std::map<std::string, std::unique_ptr<Font>> fonts;
    std::map<std::string, std::unique_ptr<Music>> music;
    std::map<std::string, std::unique_ptr<Sound>> sounds;
};
