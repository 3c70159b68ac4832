// Fuzzes the save-file loader with the game's entries (a length-prefixed
// record stands in for the player profiles). Beyond "no crash, no huge
// allocation" it checks that whatever a load accepted saves and loads back
// to the same values.
#include "engine/store/FileSaveGame.h"
#include "engine/store/GenericEntry.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/store/SaveTestSupport.h"

namespace {

struct Store {
    Store(const std::string& path, AppContext* app) : save(path, app)
    {
        save.replaceEntry("SOUND_VOLUME", std::make_unique<GenericEntry<int>>(75));
        save.replaceEntry("MUSIC_VOLUME", std::make_unique<GenericEntry<int>>(50));
        save.replaceEntry("FULL_SCREEN", std::make_unique<GenericEntry<char>>(1));
        save.replaceEntry("HARDWARE_CURSOR", std::make_unique<GenericEntry<char>>(0));
        save.replaceEntry("PLAYER_PROFILES", std::make_unique<BytesEntry>(""));
    }
    int integer(const char* key) { return static_cast<GenericEntry<int>*>(save.getEntry(key))->value; }
    char byte(const char* key) { return static_cast<GenericEntry<char>*>(save.getEntry(key))->value; }
    const std::string& record() { return static_cast<BytesEntry*>(save.getEntry("PLAYER_PROFILES"))->value; }

    bool sameValues(Store& o)
    {
        return integer("SOUND_VOLUME") == o.integer("SOUND_VOLUME") &&
               integer("MUSIC_VOLUME") == o.integer("MUSIC_VOLUME") &&
               byte("FULL_SCREEN") == o.byte("FULL_SCREEN") && byte("HARDWARE_CURSOR") == o.byte("HARDWARE_CURSOR") &&
               record() == o.record();
    }

    FileSaveGame save;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static IdApp app("QD001");
    static const std::string input = fuzz::scratchPath("save.dat");
    fuzz::clearScratch();
    fuzz::writeInput(input, data, size);

    Store loaded(input, &app);
    if (!loaded.save.load())
        return 0;
    // Saves over the input (a damaged original was kept as .bad) and reads
    // the result back.
    if (!loaded.save.save())
        __builtin_trap();
    Store resaved(input, &app);
    if (!resaved.save.load() || !resaved.sameValues(loaded))
        __builtin_trap();
    return 0;
}
