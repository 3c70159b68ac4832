// Kills a saving process at random points and checks that the save file on
// disk is always byte-identical to either the previous save or the new one.
//
// Each round forks a child that saves a large store (a 512 KB record among
// 500 small entries, written in many pieces) over and over; once the child
// says it is about to save, the parent sends SIGKILL after a random number of
// microseconds, then compares the file with the two candidates. The delays
// span from before the first byte is written to after the first rename, so
// rounds end with the old and with the new content, many of them in the
// middle of a write. The measured save is only a guide on a busy machine:
// while no kill has come after a whole save yet, the delays grow, and while
// none has come before one, they shrink. Rounds stop early after 15 seconds.
//
// usage: save_crash_test [rounds [seed [folder]]]   (folder: /dev/shm or /tmp)
// Exits 0 when every round left an intact file, 1 otherwise (the files of
// the failing round are kept and named).
#include "engine/store/FileSaveGame.h"
#include "engine/store/GenericEntry.h"
#include "tests/store/SaveTestSupport.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// The large record of each generation, made once before any fork.
std::vector<std::string> g_records;

// The store of generation `gen`: every value differs between generations.
std::unique_ptr<FileSaveGame> makeStore(const std::string& path, AppContext* app, int gen)
{
    auto store = std::make_unique<FileSaveGame>(path, app);
    char key[32];
    for (int i = 0; i < 400; ++i) {
        std::snprintf(key, sizeof key, "INT_%04d", i);
        store->replaceEntry(key, std::make_unique<GenericEntry<int>>(gen * 1000 + i));
    }
    for (int i = 0; i < 100; ++i) {
        std::snprintf(key, sizeof key, "CHAR_%03d", i);
        store->replaceEntry(key, std::make_unique<GenericEntry<char>>(static_cast<char>(gen + i)));
    }
    store->replaceEntry("PLAYER_PROFILES", std::make_unique<BytesEntry>(g_records[static_cast<std::size_t>(gen)]));
    return store;
}

long long microsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 300;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                                   : static_cast<unsigned>(std::random_device{}());
    // A memory file system by default: a killed process (unlike a lost
    // machine) leaves the same files there as on a disk, and saves run at
    // the same speed whatever else uses the disk.
    const std::string base = argc > 3 ? argv[3] : (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    // Rounds stop early after this many seconds (slow sanitizer builds).
    const long long budgetMicros = 15LL * 1000 * 1000;

    std::string folderName = base + "/quill-crash-XXXXXX";
    if (!::mkdtemp(&folderName[0])) {
        std::perror("save_crash_test: mkdtemp");
        return 1;
    }
    const std::string folder = folderName;
    const std::string path = folder + "/save.dat";
    std::printf("save_crash_test: up to %d rounds, seed %u, folder %s\n", rounds, seed, folder.c_str());

    IdApp app("QD001");
    const int generations = 3;
    std::vector<std::string> contents;
    for (int gen = 0; gen < generations; ++gen) {
        std::string record(512 * 1024, '\0');
        for (std::size_t i = 0; i < record.size(); ++i)
            record[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(gen) * 7) & 0xFF);
        g_records.push_back(std::move(record));
    }
    long long saveMicros = 0;
    for (int gen = 0; gen < generations; ++gen) {
        // The last one saved is the file the first round starts from.
        const int g = generations - 1 - gen;
        const auto start = std::chrono::steady_clock::now();
        if (!makeStore(path, &app, g)->save()) {
            std::printf("save_crash_test: a plain save failed\n");
            return 1;
        }
        saveMicros = std::max(saveMicros, microsSince(start));
        contents.insert(contents.begin(), readFileBytes(path));
    }
    int current = 0;
    // The delays reach from before the first write to past the first rename.
    std::mt19937 rng(seed);
    long long longestDelay = 3 * std::max(50LL, saveMicros) + 300;
    std::printf("save_crash_test: one save takes up to %lld us, %zu bytes\n", saveMicros, contents[0].size());
    std::fflush(stdout);

    const auto began = std::chrono::steady_clock::now();
    int done = 0, keptOld = 0, tookNew = 0, midWrite = 0;
    for (int round = 1; round <= rounds && microsSince(began) < budgetMicros; ++round, ++done) {
        const int next = (current + 1 + static_cast<int>(rng() % 2)) % generations;
        if (done > 0 && done % 10 == 0) {
            if (tookNew == 0)
                longestDelay = std::min(2 * longestDelay, 2000000LL);
            else if (keptOld == 0)
                longestDelay = std::max(longestDelay / 2, 50LL);
        }
        int ready[2];
        if (::pipe(ready) != 0) {
            std::perror("save_crash_test: pipe");
            return 1;
        }
        const pid_t child = ::fork();
        if (child < 0) {
            std::perror("save_crash_test: fork");
            return 1;
        }
        if (child == 0) {
            ::close(ready[0]);
            auto store = makeStore(path, &app, next);
            const char go = 1;
            if (::write(ready[1], &go, 1) != 1)
                ::_exit(1);
            for (int i = 0; i < 100000; ++i)
                store->save();
            ::_exit(0);
        }
        ::close(ready[1]);
        char go = 0;
        // Returns at the child's word, or at its end.
        while (::read(ready[0], &go, 1) < 0 && errno == EINTR) {
        }
        ::close(ready[0]);
        ::usleep(static_cast<useconds_t>(std::uniform_int_distribution<long long>(0, longestDelay)(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const std::string onDisk = readFileBytes(path);
        // The killed save's own temporary file, if it had one.
        const std::string tmpPrefix = "save.dat.tmp." + std::to_string(child) + ".";
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name.compare(0, tmpPrefix.size(), tmpPrefix) == 0 && entry.file_size() > 0 &&
                entry.file_size() < contents[next].size())
                ++midWrite;
        }
        if (onDisk == contents[next]) {
            ++tookNew;
            current = next;
        } else if (onDisk == contents[current]) {
            ++keptOld;
        } else {
            std::printf("save_crash_test: FAILED in round %d (seed %u): %s holds %zu bytes, neither the "
                        "old nor the new content (%zu bytes); files kept in %s\n",
                        round, seed, path.c_str(), onDisk.size(), contents[next].size(), folder.c_str());
            return 1;
        }
        // What the killed process left behind goes, as at the game's next start.
        FileSaveGame(path, &app).removeLeftoverTemporaries();
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().filename().string().find(".tmp") != std::string::npos) {
                std::printf("save_crash_test: FAILED in round %d: %s was left behind\n", round,
                            entry.path().c_str());
                return 1;
            }
        }
    }
    std::printf("save_crash_test: %d rounds: old file kept %d times, new file %d times, "
                "killed in the middle of writing %d times; delays up to %lld us\n",
                done, keptOld, tookNew, midWrite, longestDelay);

    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    // Both outcomes must occur, or the kills missed the window under test.
    if (done >= 50 && (keptOld == 0 || tookNew == 0)) {
        std::printf("save_crash_test: the kills never fell on both sides of the rename\n");
        return 1;
    }
    return 0;
}
