#include "engine/res/ResourceManager.h"

#include "engine/audio/Music.h"
#include "engine/audio/Sound.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"

#include <cstdio>

namespace {

template <class T>
void keepUnder(std::map<std::string, std::unique_ptr<T>>& entries, const std::string& id, T* object)
{
    std::unique_ptr<T>& slot = entries[id];
    // Resetting a slot to the pointer it holds would delete the object kept.
    if (slot.get() != object)
        slot.reset(object);
}

void reportMissing(const char* kind, const std::string& id)
{
    std::fprintf(stderr, "ResourceManager: no %s registered under id \"%s\"\n", kind, id.c_str());
}

template <class T>
T* lookUp(const std::map<std::string, std::unique_ptr<T>>& entries, const std::string& id, const char* kind)
{
    const auto it = entries.find(id);
    if (it == entries.end()) {
        reportMissing(kind, id);
        return nullptr;
    }
    return it->second.get();
}

}  // namespace

ResourceManager::ResourceManager() = default;

ResourceManager::~ResourceManager()
{
    for (std::unique_ptr<GLTexture>& texture : textures)
        texture.reset();
    for (auto& entry : fonts)
        entry.second.reset();
    for (auto& entry : music)
        entry.second.reset();
    for (auto& entry : sounds)
        entry.second.reset();
    textures.clear();
    textureIds.clear();
    fonts.clear();
    music.clear();
    sounds.clear();
}

void ResourceManager::registerTexture(const std::string& id, GLTexture* texture)
{
    const auto it = textureIds.find(id);
    if (it == textureIds.end()) {
        textureIds[id] = addTexture(texture);
        return;
    }
    std::unique_ptr<GLTexture>& slot = textures[it->second];
    if (slot.get() != texture)
        slot.reset(texture);
}

int ResourceManager::addTexture(GLTexture* texture)
{
    textures.emplace_back(texture);
    return static_cast<int>(textures.size()) - 1;
}

GLTexture* ResourceManager::textureForFile(const std::string& path)
{
    for (const std::unique_ptr<GLTexture>& texture : textures)
        if (texture && texture->isPlainLoadOf(path))
            return texture.get();
    auto* texture = new GLTexture(path);
    addTexture(texture);
    return texture;
}

GLTexture* ResourceManager::getTexture(const std::string& id) const
{
    const auto it = textureIds.find(id);
    if (it == textureIds.end()) {
        reportMissing("texture", id);
        return nullptr;
    }
    return textures[it->second].get();
}

GLTexture* ResourceManager::findTexture(std::string_view id) const
{
    const auto it = textureIds.find(id);
    return it == textureIds.end() ? nullptr : textures[it->second].get();
}

void ResourceManager::registerFont(const std::string& id, Font* font)
{
    keepUnder(fonts, id, font);
}

void ResourceManager::registerMusic(const std::string& id, Music* track)
{
    keepUnder(music, id, track);
}

void ResourceManager::registerSound(const std::string& id, Sound* sound)
{
    keepUnder(sounds, id, sound);
}

Font* ResourceManager::getFont(const std::string& id) const
{
    return lookUp(fonts, id, "font");
}

Music* ResourceManager::getMusic(const std::string& id) const
{
    return lookUp(music, id, "music");
}

Sound* ResourceManager::getSound(const std::string& id) const
{
    return lookUp(sounds, id, "sound");
}

void ResourceManager::releaseGpuResources(int flags)
{
    if (flags & TextureResources) {
        for (const std::unique_ptr<GLTexture>& texture : textures)
            if (texture)
                texture->releaseGpu();
    }
    if (flags & FontResources) {
        for (const auto& entry : fonts)
            if (entry.second)
                entry.second->releaseGpu();
    }
}

void ResourceManager::reloadGpuResources(int flags)
{
    if (flags & TextureResources) {
        for (const std::unique_ptr<GLTexture>& texture : textures)
            if (texture)
                texture->upload();
    }
    if (flags & FontResources) {
        for (const auto& entry : fonts)
            if (entry.second)
                entry.second->reloadGpu();
    }
}
