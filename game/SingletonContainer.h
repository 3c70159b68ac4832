#pragma once
// Base of the game-wide services that exist once per process (the game flow,
// the quest graph, the sound-effect and scene-music containers, ...).
//
// The object is created on first use by instance() and lives until
// destroyInstance() deletes it. It is held through a plain pointer on
// purpose: nothing destroys it during static destruction, whose order is
// unknown. A service that must go before the application (the sound-effect
// container, whose resource manager belongs to the application) is destroyed
// explicitly by the application; tests use destroyInstance() to start afresh.
// A service never destroyed is reclaimed by the end of the process.
//
// T derives from SingletonContainer<T> and needs a constructor without
// arguments that this template can reach (public, or a friend declaration).
// When some other owner deletes the instance, the accessor forgets it, so the
// next instance() makes a new one instead of returning a dangling pointer.
template <class T>
class SingletonContainer {
public:
    // The one object, created on first use.
    static T* instance()
    {
        if (!object) {
            object = new T();
            base = object;
        }
        return object;
    }
    // The object when it has been created, else null; creates nothing.
    static T* existingInstance() { return object; }
    // Deletes the object (when there is one); the next instance() creates a
    // new one.
    static void destroyInstance()
    {
        T* doomed = object;
        object = nullptr;
        base = nullptr;
        delete doomed;
    }

    SingletonContainer(const SingletonContainer&) = delete;
    SingletonContainer& operator=(const SingletonContainer&) = delete;

protected:
    SingletonContainer() = default;
    virtual ~SingletonContainer()
    {
        if (base == this) {
            object = nullptr;
            base = nullptr;
        }
    }

private:
    // Owned (see above); null before first use and after destroyInstance().
    static inline T* object = nullptr;
    // The base part of `object`, so that the destructor can recognise the
    // instance without converting a pointer to a half-destroyed T.
    static inline const SingletonContainer* base = nullptr;
};
