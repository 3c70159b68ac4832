#include "engine/store/FileSaveGame.h"
#include "engine/store/GenericEntry.h"
#include "tests/store/SaveTestSupport.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/LargestAllocation.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextLines.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <optional>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The game's entries, registered in the game's order (not key order), with
// a length-prefixed record standing in for the player profiles.
struct GameStore {
    GameStore(const std::string& path, AppContext* app, int sound = 75, int music = 50, char full = 1,
              char cursor = 0, const std::string& profiles = "")
        : store(path, app)
    {
        store.replaceEntry("SOUND_VOLUME", std::make_unique<GenericEntry<int>>(sound));
        store.replaceEntry("MUSIC_VOLUME", std::make_unique<GenericEntry<int>>(music));
        store.replaceEntry("FULL_SCREEN", std::make_unique<GenericEntry<char>>(full));
        store.replaceEntry("HARDWARE_CURSOR", std::make_unique<GenericEntry<char>>(cursor));
        store.replaceEntry("PLAYER_PROFILES", std::make_unique<BytesEntry>(profiles));
    }

    int& sound() { return static_cast<GenericEntry<int>*>(store.getEntry("SOUND_VOLUME"))->value; }
    int& music() { return static_cast<GenericEntry<int>*>(store.getEntry("MUSIC_VOLUME"))->value; }
    char& full() { return static_cast<GenericEntry<char>*>(store.getEntry("FULL_SCREEN"))->value; }
    char& cursor() { return static_cast<GenericEntry<char>*>(store.getEntry("HARDWARE_CURSOR"))->value; }
    std::string& profiles() { return static_cast<BytesEntry*>(store.getEntry("PLAYER_PROFILES"))->value; }

    FileSaveGame store;
};

std::string le32(uint32_t v)
{
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
}

// The file the game's store writes for these values.
std::string gameFile(const std::string& id, char full, char cursor, int music, const std::string& profiles,
                     int sound)
{
    return le32(static_cast<uint32_t>(id.size())) + id + std::string(1, full) + std::string(1, cursor) +
           le32(static_cast<uint32_t>(music)) + le32(static_cast<uint32_t>(profiles.size())) + profiles +
           le32(static_cast<uint32_t>(sound));
}

// Whether both files hold the same bytes (read in chunks).
bool sameFiles(const std::string& a, const std::string& b)
{
    std::ifstream x(a, std::ios::binary);
    std::ifstream y(b, std::ios::binary);
    std::vector<char> p(1 << 16);
    std::vector<char> q(1 << 16);
    while (x && y) {
        x.read(p.data(), static_cast<std::streamsize>(p.size()));
        y.read(q.data(), static_cast<std::streamsize>(q.size()));
        if (x.gcount() != y.gcount() || !std::equal(p.begin(), p.begin() + x.gcount(), q.begin()))
            return false;
    }
    return x.eof() && y.eof();
}

// The names in the folder that look like temporary files (".tmp" in them),
// space-separated; "" when there are none.
std::string temporaryFiles(const std::string& folder)
{
    std::string names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().filename().string().find(".tmp") != std::string::npos)
            names += (names.empty() ? "" : " ") + entry.path().filename().string();
    return names;
}

// The whole file, or nothing when it cannot be opened.
std::optional<std::string> readIfPresent(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SaveGameTest : public testing::Test {
protected:
    // Runs f with standard output captured into `output`.
    template <typename F>
    auto captured(F f) -> decltype(f())
    {
        testing::internal::CaptureStdout();
        auto result = f();
        output = testing::internal::GetCapturedStdout();
        return result;
    }

    // True when every entry still holds the given values.
    static void expectValues(GameStore& g, int sound, int music, char full, char cursor,
                             const std::string& profiles)
    {
        EXPECT_EQ(g.sound(), sound);
        EXPECT_EQ(g.music(), music);
        EXPECT_EQ(g.full(), full);
        EXPECT_EQ(g.cursor(), cursor);
        EXPECT_EQ(g.profiles(), profiles);
    }

    TempFolder dir;
    IdApp app{"QD001"};
    std::string path = dir.path("save.dat");
    std::string output;
};

} // namespace

// ---- Layout and round trip -------------------------------------------------

TEST_F(SaveGameTest, FileIsHeaderThenEntriesInKeyOrderLittleEndian)
{
    GameStore g(path, &app, 0x01020304, -2, 1, 0, "ab");
    ASSERT_TRUE(g.store.save());
    const std::string bytes = readFileBytes(path);
    const std::string expected = std::string("\x05\x00\x00\x00QD001", 9) + "\x01" + std::string(1, '\0') +
                                 "\xFE\xFF\xFF\xFF" + std::string("\x02\x00\x00\x00", 4) + "ab" +
                                 "\x04\x03\x02\x01";
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(temporaryFiles(dir.path()), "");
}

TEST_F(SaveGameTest, KeysAreOrderedByteByByte)
{
    // Unsigned byte order: 'B' (0x42) < 'a' (0x61) < 0xC3; a signed compare
    // would put 0xC3 first.
    FileSaveGame store(path, nullptr);
    store.replaceEntry("\xC3\xA9t\xC3\xA9", std::make_unique<GenericEntry<char>>('3'));
    store.replaceEntry("a", std::make_unique<GenericEntry<char>>('2'));
    store.replaceEntry("B", std::make_unique<GenericEntry<char>>('1'));
    ASSERT_TRUE(store.save());
    EXPECT_EQ(readFileBytes(path), "123");  // and no header without an application
}

TEST_F(SaveGameTest, RoundTripOfEveryEntryType)
{
    const std::string profiles("Ann\0Bob\xFF", 8);
    GameStore saved(path, &app);
    saved.sound() = -2147483647 - 1;
    saved.music() = 128;
    saved.full() = 0;
    saved.cursor() = static_cast<char>(0xFF);
    saved.profiles() = profiles;
    ASSERT_TRUE(saved.store.save());

    GameStore loaded(path, &app);
    EXPECT_TRUE(captured([&] { return loaded.store.load(); }));
    EXPECT_EQ(output, "");
    expectValues(loaded, -2147483647 - 1, 128, 0, static_cast<char>(0xFF), profiles);
    EXPECT_FALSE(fileExists(path + ".bad"));

    // Saving again over an existing file replaces it.
    loaded.music() = 7;
    ASSERT_TRUE(loaded.store.save());
    GameStore again(path, &app);
    ASSERT_TRUE(again.store.load());
    EXPECT_EQ(again.music(), 7);
}

TEST_F(SaveGameTest, WithoutApplicationNoHeaderIsWrittenOrChecked)
{
    GameStore saved(path, nullptr, 3, 4, 5, 6, "x");
    ASSERT_TRUE(saved.store.save());
    EXPECT_EQ(readFileBytes(path), gameFile("", 5, 6, 4, "x", 3).substr(4));
    GameStore loaded(path, nullptr);
    ASSERT_TRUE(loaded.store.load());
    expectValues(loaded, 3, 4, 5, 6, "x");
}

// ---- Entries ---------------------------------------------------------------

namespace {
// Counts its own destructions.
class CountedEntry : public GenericEntry<int> {
public:
    CountedEntry(int v, int& deaths) : GenericEntry<int>(v), deaths(deaths) {}
    ~CountedEntry() override { ++deaths; }
    int& deaths;
};
} // namespace

TEST_F(SaveGameTest, ReplacingAnEntryDeletesTheOldAndTheStoreOwnsItsEntries)
{
    int deaths = 0;
    {
        GameStore g(path, &app);
        g.store.replaceEntry("SOUND_VOLUME", std::make_unique<CountedEntry>(11, deaths));
        g.store.replaceEntry("SOUND_VOLUME", std::make_unique<CountedEntry>(22, deaths));
        EXPECT_EQ(deaths, 1);
        EXPECT_EQ(g.sound(), 22);
        g.store.replaceEntry("SOUND_VOLUME", nullptr);  // ignored
        EXPECT_EQ(g.sound(), 22);
        EXPECT_EQ(g.store.getEntry("NOT_REGISTERED"), nullptr);
        ASSERT_TRUE(g.store.save());
        EXPECT_EQ(readFileBytes(path), gameFile("QD001", 1, 0, 50, "", 22));  // one value in its place
    }
    EXPECT_EQ(deaths, 2);
}

TEST_F(SaveGameTest, StreamCallsOutsideSaveAndLoadDoNothing)
{
    FileSaveGame store(path, &app);
    char byte = 'x';
    int32_t v = 5;
    EXPECT_FALSE(store.write(&byte, 1));
    EXPECT_FALSE(store.read(&byte, 1));
    EXPECT_FALSE(store.readInt32(v));
    EXPECT_EQ(byte, 'x');
    EXPECT_EQ(v, 5);
    EXPECT_EQ(store.bytesLeft(), 0u);
    EXPECT_FALSE(fileExists(path));
}

// ---- Loading damaged or foreign files ---------------------------------------

TEST_F(SaveGameTest, MissingFileLoadsNothingSilently)
{
    GameStore g(path, &app, 1, 2, 3, 4, "p");
    EXPECT_FALSE(captured([&] { return g.store.load(); }));
    EXPECT_EQ(output, "");
    expectValues(g, 1, 2, 3, 4, "p");
    EXPECT_FALSE(fileExists(path + ".bad"));
}

TEST_F(SaveGameTest, ForeignOrBrokenHeaderIsRefusedAndKeptAsBad)
{
    const std::string good = gameFile("QD001", 0, 1, 9, "zz", 9);
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"other id", gameFile("QD002", 0, 1, 9, "zz", 9)},
        {"id one byte longer", gameFile("QD0011", 0, 1, 9, "zz", 9)},
        {"huge length", le32(0x77359400u) + good.substr(4)},
        {"negative length", le32(0xFFFFFFFBu) + good.substr(4)},
        {"length past the end", le32(good.size()) + good.substr(4)},
        {"shorter than a length", std::string("\x05\x00", 2)},
        {"empty file", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::remove((path + ".bad").c_str());
        dir.write("save.dat", c.bytes);
        GameStore g(path, &app, 1, 2, 3, 4, "p");
        g_largestAllocation = 0;
        g_trackAllocations = true;
        const bool loaded = captured([&] { return g.store.load(); });
        g_trackAllocations = false;
        EXPECT_FALSE(loaded);
        expectValues(g, 1, 2, 3, 4, "p");
        // Nothing near the claimed length was allocated (the file and the
        // message are small).
        EXPECT_LT(g_largestAllocation.load(), 65536u);
        EXPECT_EQ(lineCount(output), 1) << output;
        EXPECT_NE(output.find("save.dat.bad"), std::string::npos) << output;
        EXPECT_EQ(readFileBytes(path), c.bytes);          // the original is untouched
        EXPECT_EQ(readFileBytes(path + ".bad"), c.bytes);  // and a copy is kept
        EXPECT_TRUE(fileExists(path + ".bad"));
    }
}

TEST_F(SaveGameTest, IdIsComparedUpToItsFirstZeroByte)
{
    dir.write("save.dat", gameFile(std::string("QD001\0xyz", 9), 0, 1, 9, "", 8));
    GameStore g(path, &app);
    ASSERT_TRUE(g.store.load());
    expectValues(g, 8, 9, 0, 1, "");
}

TEST_F(SaveGameTest, TruncatedFileKeepsPriorValuesAfterTheCutAndIsKeptAsBad)
{
    const std::string full = gameFile("QD001", 0, 1, 99, "profile", 98);
    // Cut inside MUSIC_VOLUME: FULL_SCREEN and HARDWARE_CURSOR load, the rest
    // keep the values they had.
    const std::string cut = full.substr(0, 9 + 2 + 2);
    dir.write("save.dat", cut);
    GameStore g(path, &app, 75, 50, 1, 0, "before");
    EXPECT_TRUE(captured([&] { return g.store.load(); }));  // the header matched
    expectValues(g, 75, 50, 0, 1, "before");
    EXPECT_EQ(lineCount(output), 1) << output;
    EXPECT_NE(output.find("MUSIC_VOLUME"), std::string::npos) << output;
    EXPECT_EQ(readFileBytes(path + ".bad"), cut);

    // The game now saves; the damaged data survives in the copy.
    ASSERT_TRUE(g.store.save());
    EXPECT_EQ(readFileBytes(path), gameFile("QD001", 0, 1, 50, "before", 75));
    EXPECT_EQ(readFileBytes(path + ".bad"), cut);
}

TEST_F(SaveGameTest, InvalidEntryKeepsItsValueAndStopsTheRead)
{
    // PLAYER_PROFILES claims 2,000,000,000 bytes: refused without allocating,
    // and SOUND_VOLUME after it is not read from the misaligned stream.
    const std::string bytes = gameFile("QD001", 0, 1, 33, "", 44).substr(0, 9 + 2 + 4) + le32(2000000000u) +
                              le32(44);
    dir.write("save.dat", bytes);
    GameStore g(path, &app, 75, 50, 1, 0, "old");
    g_largestAllocation = 0;
    g_trackAllocations = true;
    EXPECT_TRUE(captured([&] { return g.store.load(); }));
    g_trackAllocations = false;
    EXPECT_LT(g_largestAllocation.load(), 65536u);
    expectValues(g, 75, 33, 0, 1, "old");
    EXPECT_NE(output.find("PLAYER_PROFILES"), std::string::npos) << output;
    EXPECT_EQ(readFileBytes(path + ".bad"), bytes);
}

TEST_F(SaveGameTest, AHugeDamagedFileIsRefusedWithLittleMemoryAndKeptWhole)
{
    // Files of 8 MB: the rest after the bytes given is a hole (zeros).
    constexpr std::uintmax_t Huge = 8u << 20;
    const std::string settings = gameFile("QD001", 0, 1, 33, "", 44).substr(0, 9 + 2 + 4);
    struct Case {
        const char* what;
        std::string start;
        bool headerMatches;
    };
    const Case cases[] = {
        {"foreign id", gameFile("QD002", 0, 1, 9, "", 9), false},
        {"id as long as the file", le32(static_cast<uint32_t>(Huge - 4)) + std::string(4096, 'Q'), false},
        {"record of two thousand million bytes", settings + le32(2000000000u), true},
        {"record one byte past the end", settings + le32(static_cast<uint32_t>(Huge - settings.size() - 3)), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(path + ".bad");
        dir.write("save.dat", c.start);
        fs::resize_file(path, Huge);
        GameStore g(path, &app, 1, 2, 3, 4, "p");
        g_largestAllocation = 0;
        g_trackAllocations = true;
        const bool loaded = captured([&] { return g.store.load(); });
        g_trackAllocations = false;
        EXPECT_EQ(loaded, c.headerMatches);
        EXPECT_LT(g_largestAllocation.load(), 65536u);
        EXPECT_EQ(lineCount(output), 1) << output;
        EXPECT_LT(output.size(), 512u) << "the line quotes no huge id";
        EXPECT_EQ(g.profiles(), "p");
        // The original stays, and the copy holds every byte of it.
        EXPECT_EQ(fs::file_size(path), Huge);
        std::string start(c.start.size(), '\0');
        std::ifstream(path, std::ios::binary).read(&start[0], static_cast<std::streamsize>(start.size()));
        EXPECT_EQ(start, c.start);
        EXPECT_TRUE(sameFiles(path, path + ".bad"));
    }
}

TEST_F(SaveGameTest, AFolderInTheSaveFilesPlaceIsReportedAndNeverSavedOver)
{
    fs::create_directory(path);
    std::ofstream(path + "/keep") << "x";
    GameStore g(path, &app, 1, 2, 3, 4, "p");
    EXPECT_FALSE(captured([&] { return g.store.load(); }));
    EXPECT_EQ(lineCount(output), 1) << output;
    EXPECT_NE(output.find("cannot read"), std::string::npos) << output;
    EXPECT_NE(output.find("will not be saved over"), std::string::npos) << output;
    expectValues(g, 1, 2, 3, 4, "p");
    EXPECT_FALSE(fileExists(path + ".bad"));
    EXPECT_FALSE(captured([&] { return g.store.save(); }));
    EXPECT_TRUE(fileExists(path + "/keep"));
}

TEST_F(SaveGameTest, DamagedFileThatCannotBeCopiedIsNeverSavedOver)
{
    // Files may grow to 16 KB only, as on a nearly full disk: the copy of a
    // 64 KB damaged file cannot be made.
    const std::string bytes = gameFile("QD002", 0, 1, 9, std::string(65536, 'p'), 9);
    dir.write("save.dat", bytes);
    GameStore g(path, &app);
    {
        FileSizeLimit limit(16384);
        EXPECT_FALSE(captured([&] { return g.store.load(); }));
        EXPECT_NE(output.find("will not be saved over"), std::string::npos) << output;
        EXPECT_FALSE(captured([&] { return g.store.save(); }));
    }
    EXPECT_EQ(lineCount(output), 1) << output;
    EXPECT_EQ(readFileBytes(path), bytes);
    EXPECT_FALSE(fileExists(path + ".bad"));
    EXPECT_EQ(temporaryFiles(dir.path()), "");

    // Once the copy can be made, the next load keeps it and saving goes on.
    EXPECT_FALSE(captured([&] { return g.store.load(); }));
    EXPECT_EQ(readFileBytes(path + ".bad"), bytes);
    EXPECT_TRUE(g.store.save());
    EXPECT_EQ(readFileBytes(path), gameFile("QD001", 1, 0, 50, "", 75));
}

TEST_F(SaveGameTest, ALaterDamagedFileNeverReplacesAnEarlierCopy)
{
    const std::string damaged[] = {gameFile("QD002", 0, 1, 9, "", 9), gameFile("QD003", 0, 1, 9, "", 9),
                                   gameFile("QD001", 0, 1, 9, "zz", 9).substr(0, 14)};
    const char* const copies[] = {".bad", ".bad1", ".bad2"};
    GameStore g(path, &app);
    for (int i = 0; i < 3; ++i) {
        dir.write("save.dat", damaged[i]);
        (void)captured([&] { return g.store.load(); });
        EXPECT_NE(output.find(std::string("save.dat") + copies[i] + "\""), std::string::npos) << output;
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(readFileBytes(path + copies[i]), damaged[i]) << copies[i];
    EXPECT_FALSE(fileExists(path + ".bad3"));
}

TEST_F(SaveGameTest, RangedEntriesClampStoredValuesIntoTheirRange)
{
    // Volumes of -206 (the mixer's "leave it", at full volume) and 500, flags of 7 and -3.
    dir.write("save.dat", gameFile("QD001", 7, -3, -206, "", 500));
    GameStore g(path, &app);
    g.store.replaceEntry("SOUND_VOLUME", std::make_unique<GenericEntry<int>>(75, 0, 128));
    g.store.replaceEntry("MUSIC_VOLUME", std::make_unique<GenericEntry<int>>(50, 0, 128));
    g.store.replaceEntry("FULL_SCREEN", std::make_unique<GenericEntry<char>>(1, 0, 1));
    g.store.replaceEntry("HARDWARE_CURSOR", std::make_unique<GenericEntry<char>>(0, 0, 1));
    ASSERT_TRUE(captured([&] { return g.store.load(); }));
    expectValues(g, 128, 0, 1, 0, "");
    EXPECT_EQ(lineCount(output), 4) << output;  // one warning a value
    EXPECT_EQ(GenericEntry<int>(300, 0, 128).value, 128);
}

// ---- Saving never destroys the previous file --------------------------------

namespace {
class FailingEntry : public SaveGameEntry {
public:
    bool load(SaveGame&) override { return true; }
    bool save(SaveGame& store) override
    {
        store.write("partial", 7);
        return false;
    }
};
} // namespace

TEST_F(SaveGameTest, FailedSaveKeepsTheOldFile)
{
    const std::string old = gameFile("QD001", 1, 0, 50, "", 75);
    {
        GameStore g(path, &app);
        ASSERT_TRUE(g.store.save());
    }
    ASSERT_EQ(readFileBytes(path), old);

    // An entry fails halfway.
    {
        GameStore g(path, &app);
        g.store.replaceEntry("ZZ_FAILS", std::make_unique<FailingEntry>());
        g.sound() = 1;
        EXPECT_FALSE(captured([&] { return g.store.save(); }));
        EXPECT_EQ(lineCount(output), 1) << output;
        EXPECT_EQ(readFileBytes(path), old);
        EXPECT_EQ(temporaryFiles(dir.path()), "");
    }
    // The save folder cannot be written (a process without the right to:
    // as root, one that has become another user).
    {
        ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
        std::fflush(stdout);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::geteuid() == 0 && ::setuid(65534) != 0)
                _exit(3);
            GameStore g(path, &app, 1);
            std::string reason;
            g.store.setFailureReport([&reason](const std::string& text) { reason += text + "\n"; });
            if (g.store.save())
                _exit(1);
            // One report, which says what was tried and that the old save stays.
            _exit(lineCount(reason) == 1 && reason.find("cannot create") != std::string::npos &&
                          reason.find("the previous save is kept") != std::string::npos
                      ? 0
                      : 2);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_EQ(::chmod(dir.path().c_str(), 0700), 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: saved anyway, 2: wrong report, 3: no other user";
        EXPECT_EQ(readFileBytes(path), old);
        EXPECT_EQ(temporaryFiles(dir.path()), "");
    }
    // The save folder is a file: nothing can be saved, and no previous save
    // is claimed.
    {
        dir.write("afile", "x");
        GameStore g(dir.path("afile/save.dat"), &app);
        int reports = 0;
        g.store.setFailureReport([&reports](const std::string&) { ++reports; });
        EXPECT_FALSE(captured([&] { return g.store.save(); }));
        EXPECT_FALSE(captured([&] { return g.store.save(); }));
        EXPECT_EQ(reports, 2);
        EXPECT_EQ(lineCount(output), 1) << output;
        EXPECT_NE(output.find("nothing was saved"), std::string::npos) << output;
        EXPECT_EQ(output.find("previous save"), std::string::npos) << output;
    }
    // The rename fails (the target is a folder that is not empty).
    {
        const std::string folder = dir.path("folder");
        fs::create_directory(folder);
        dir.write("folder/inside", "kept");
        GameStore g(folder, &app);
        EXPECT_FALSE(captured([&] { return g.store.save(); }));
        EXPECT_EQ(lineCount(output), 1) << output;
        EXPECT_EQ(readFileBytes(folder + "/inside"), "kept");
        EXPECT_EQ(temporaryFiles(dir.path()), "");
    }
}

TEST_F(SaveGameTest, DiskFullDuringSaveKeepsTheOldFile)
{
    const std::string old = gameFile("QD001", 1, 0, 50, "", 75);
    {
        GameStore g(path, &app);
        ASSERT_TRUE(g.store.save());
    }
    // A child process may write files of at most 4096 bytes, then every write
    // fails as on a full disk; it saves a 64 KB record.
    fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        GameStore g(path, &app, 75, 50, 1, 0, std::string(65536, 'p'));
        _exit(g.store.save() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported success";
    EXPECT_EQ(readFileBytes(path), old);
    EXPECT_EQ(temporaryFiles(dir.path()), "");
}

// ---- Two processes on one save file -------------------------------------------

TEST_F(SaveGameTest, TwoProcessesSavingOneFileAtOnceAlwaysLeaveOneCompleteSave)
{
    // Two writers (two copies of a program on one save folder) each save a
    // record of their own over and over, each until both have saved
    // `Saves` times, so that their saves overlap for as long as the slower
    // one runs; this process reads the file all the while.
    constexpr int Saves = 150;
    const std::string records[2] = {std::string(128 * 1024, 'a'), std::string(96 * 1024, 'b')};
    const std::string files[2] = {gameFile("QD001", 1, 0, 50, records[0], 75),
                                  gameFile("QD001", 1, 0, 50, records[1], 75)};
    void* shared = mmap(nullptr, 2 * sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS,
                        -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    auto* done = new (shared) std::atomic<int>[2]{};
    std::fflush(stdout);
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            GameStore g(path, &app, 75, 50, 1, 0, records[w]);
            int failed = 0;
            // The bound on its own saves only ends a writer whose partner died.
            while ((done[w] < Saves || done[1 - w] < Saves) && done[w] < 20 * Saves) {
                if (!g.store.save())
                    ++failed;
                ++done[w];
            }
            _exit(failed == 0 ? 0 : 1);
        }
    }
    int reads = 0;
    int damaged = 0;
    std::size_t damagedSize = 0;
    int running = 2;
    int status[2] = {0, 0};
    while (running > 0) {
        for (int w = 0; w < 2; ++w)
            if (writers[w] > 0 && waitpid(writers[w], &status[w], WNOHANG) == writers[w]) {
                writers[w] = 0;
                --running;
            }
        const std::optional<std::string> now = readIfPresent(path);
        if (!now)
            continue;  // before the first save
        ++reads;
        if (*now != files[0] && *now != files[1]) {
            ++damaged;
            damagedSize = now->size();
        }
    }
    std::printf("two writers: %d and %d saves, %d reads of the file, %d of them damaged\n", done[0].load(),
                done[1].load(), reads, damaged);
    EXPECT_EQ(damaged, 0) << "a reader saw " << damagedSize << " bytes";
    const std::string last = readFileBytes(path);
    EXPECT_TRUE(last == files[0] || last == files[1]) << last.size() << " bytes at the end";
    for (int w = 0; w < 2; ++w) {
        EXPECT_TRUE(WIFEXITED(status[w]) && WEXITSTATUS(status[w]) == 0) << "writer " << w << " saw a save fail";
        EXPECT_GE(done[w].load(), Saves);
    }
    EXPECT_EQ(temporaryFiles(dir.path()), "");
    munmap(shared, 2 * sizeof(std::atomic<int>));
}

TEST_F(SaveGameTest, TemporaryFilesOfSavesThatWereCutOffAreRemovedOnRequest)
{
    // What killed saves and copies leave, in the old and the new naming.
    const char* const leftovers[] = {"save.dat.tmp", "save.dat.tmp.4711.0", "save.dat.bad.tmp.4711.1",
                                     "save.dat.bad12.tmp", "save.dat.bad3.tmp.9.9"};
    // Names that are not temporary files of this save.
    const char* const others[] = {"save.dat", "save.dat.bad", "save.dat.bad2", "save.datx.tmp.1.1",
                                  "other.dat.tmp.1.1", "save.dat.tmpx", "error.txt"};
    for (const char* name : leftovers)
        dir.write(name, "cut");
    for (const char* name : others)
        dir.write(name, "kept");
    fs::create_directory(dir.path("save.dat.tmp.1.2"));  // not a plain file: not ours
    FileSaveGame store(path, &app);
    EXPECT_EQ(captured([&] { return store.removeLeftoverTemporaries(); }), 5);
    EXPECT_EQ(lineCount(output), 1) << output;
    for (const char* name : leftovers)
        EXPECT_FALSE(fileExists(dir.path(name))) << name;
    for (const char* name : others)
        EXPECT_EQ(readFileBytes(dir.path(name)), "kept") << name;
    EXPECT_TRUE(fs::is_directory(dir.path("save.dat.tmp.1.2")));
    EXPECT_EQ(captured([&] { return store.removeLeftoverTemporaries(); }), 0);
    EXPECT_EQ(output, "");
}
