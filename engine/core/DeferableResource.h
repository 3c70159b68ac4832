#pragma once
// Base of every loadable resource (textures, fonts, music, sounds).
#include <string>

class DeferableResource {
public:
    DeferableResource() = default;
    explicit DeferableResource(std::string sourcePath) : path(std::move(sourcePath)) {}
    virtual ~DeferableResource() = default;
    DeferableResource(const DeferableResource&) = delete;
    DeferableResource& operator=(const DeferableResource&) = delete;

    // Loads a resource whose loading was deferred. Every resource of this
    // system loads in its constructor, so this does nothing and returns 0.
    virtual int load() { return 0; }

    bool isPending() const { return pending; }
    // The file the resource was loaded from; empty for one made in memory.
    const std::string& getPath() const { return path; }

protected:
    // Set only by a deferred-loading mode, which this system does not use.
    bool pending = false;
    std::string path;
};
