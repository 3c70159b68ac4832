#include "tests/driver/AudioRecord.h"

#include "engine/audio/AudioRequests.h"
#include "tests/driver/GameDriver.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

struct AudioState {
    // (sound, channel of the play) -> file, for plays repeating until stopped.
    std::map<std::pair<const void*, int>, std::string> loops;
    const void* music = nullptr;
    std::string musicPath;

    void take(const AudioRequest& r)
    {
        switch (r.kind) {
        case AudioRequest::SoundStarted:
            if (r.loops == -1)
                loops[{r.source, r.channel}] = r.path;
            break;
        case AudioRequest::SoundFadedOut:
        case AudioRequest::SoundHalted:
            loops.erase({r.source, r.channel});
            break;
        case AudioRequest::SoundFreed:
            for (auto it = loops.begin(); it != loops.end();)
                it = it->first.first == r.source ? loops.erase(it) : std::next(it);
            break;
        case AudioRequest::MusicStarted:
            music = r.started ? r.source : nullptr;
            musicPath = r.started ? r.path : std::string();
            break;
        case AudioRequest::MusicFreed:
            if (r.source == music) {
                music = nullptr;
                musicPath.clear();
            }
            break;
        }
    }
};

} // namespace

void addAudioRecord(GameDriver& driver)
{
    auto state = std::make_shared<AudioState>();
    // The observer outlives the driver (it is replaced by the next driver's):
    // once the record is gone it does nothing.
    std::weak_ptr<AudioState> record = state;
    setAudioRequestObserver([record](const AudioRequest& r) {
        if (auto live = record.lock())
            live->take(r);
    });
    driver.addProbe([state](ScreenBase*, GameDriver::DumpLines& out) {
        std::vector<std::string> files;
        for (const auto& loop : state->loops)
            files.push_back(loop.second);
        std::sort(files.begin(), files.end());
        std::string loops;
        for (const std::string& file : files)
            loops += (loops.empty() ? "" : " ") + file;
        out.emplace_back("audio.loops", loops);
        out.emplace_back("audio.music", state->music ? state->musicPath : "none");
    });
}
