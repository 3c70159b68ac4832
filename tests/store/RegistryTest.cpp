// The file-backed registry store, each test in a private APPDATA folder:
// path splitting, typed reads and writes, key creation, enumeration,
// deletion, the empty company name, and names that try to leave the store.
#include "engine/store/Registry.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool isFolder(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every path below `folder`, relative to it, "/"-terminated for folders.
void listTree(const std::string& folder, const std::string& prefix, std::vector<std::string>& out)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string full = folder + "/" + name;
        if (isFolder(full)) {
            out.push_back(prefix + name + "/");
            listTree(full, prefix + name + "/", out);
        } else {
            out.push_back(prefix + name);
        }
    }
    ::closedir(dir);
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder.path().empty());
        root = folder.path();
        appData = root + "/appdata";
        ASSERT_EQ(0, ::mkdir(appData.c_str(), 0755));
        const char* old = std::getenv("APPDATA");
        hadAppData = old != nullptr;
        oldAppData = old ? old : "";
        ::setenv("APPDATA", appData.c_str(), 1);
        setRegistryCompanyName("Drimsatch");
        base = appData + "/Registry/SOFTWARE/Drimsatch";
    }

    void TearDown() override
    {
        setRegistryCompanyName("Drimsatch");
        if (hadAppData)
            ::setenv("APPDATA", oldAppData.c_str(), 1);
        else
            ::unsetenv("APPDATA");
    }

    TempFolder folder;    // removed with everything in it after the test
    std::string root;     // holds appData and nothing else
    std::string appData;
    std::string base;     // folder of the base key
    bool hadAppData = false;
    std::string oldAppData;
};

} // namespace

TEST_F(RegistryTest, PathBeforeTheLastBackslashIsTheSubkey)
{
    ASSERT_TRUE(writeRegistryDword("Settings\\Volume", 80));
    EXPECT_TRUE(isFolder(base + "/Settings"));
    EXPECT_TRUE(exists(base + "/Settings/@Volume"));

    int32_t v = 0;
    EXPECT_TRUE(readRegistryDword("Settings\\Volume", v));
    EXPECT_EQ(80, v);
    // The same name in another key, or in the base key, is another value.
    EXPECT_FALSE(readRegistryDword("Volume", v));
    EXPECT_FALSE(readRegistryDword("Other\\Volume", v));

    ASSERT_TRUE(writeRegistryDword("Volume", -5));
    EXPECT_TRUE(exists(base + "/@Volume"));
    EXPECT_TRUE(readRegistryDword("Volume", v));
    EXPECT_EQ(-5, v);
    EXPECT_TRUE(readRegistryDword("Settings\\Volume", v));
    EXPECT_EQ(80, v);
}

TEST_F(RegistryTest, TypedReadsAcceptOnlyTheirType)
{
    ASSERT_TRUE(writeRegistryString("Settings\\Volume", "80"));
    int32_t v = 7;
    EXPECT_FALSE(readRegistryDword("Settings\\Volume", v));
    EXPECT_EQ(7, v);
    bool b = false;
    EXPECT_FALSE(readRegistryBool("Settings\\Volume", b));

    ASSERT_TRUE(writeRegistryDword("Settings\\Count", 3));
    std::string s = "unchanged";
    EXPECT_FALSE(readRegistryString("Settings\\Count", s));
    EXPECT_EQ("unchanged", s);
    unsigned char raw[16];
    uint32_t len = sizeof(raw);
    EXPECT_FALSE(readRegistryBinary("Settings\\Count", raw, len));
    EXPECT_EQ(sizeof(raw), len);

    // A binary value of four bytes is still not a number.
    const unsigned char four[4] = {1, 0, 0, 0};
    ASSERT_TRUE(writeRegistryBinary("Settings\\Four", four, 4));
    EXPECT_FALSE(readRegistryDword("Settings\\Four", v));
}

TEST_F(RegistryTest, WriteToAMissingKeyCreatesItAndItsParents)
{
    ASSERT_FALSE(exists(base));
    ASSERT_TRUE(writeRegistryString("Game\\Profiles\\First\\Name", "Ann"));
    EXPECT_TRUE(isFolder(base + "/Game/Profiles/First"));
    std::vector<std::string> entries;
    listTree(base + "/Game/Profiles/First", "", entries);
    EXPECT_EQ(std::vector<std::string>{"@Name"}, entries) << "only the value file, no temporary";

    std::string s;
    EXPECT_TRUE(readRegistryString("Game\\Profiles\\First\\Name", s));
    EXPECT_EQ("Ann", s);
}

TEST_F(RegistryTest, StringsAreStoredWithoutATerminatorAndReadUpTo1023Bytes)
{
    ASSERT_TRUE(writeRegistryString("Settings\\Name", "abc"));
    uint32_t type = 0;
    uint32_t size = 0;
    EXPECT_TRUE(readRegistryValue("Settings\\Name", type, nullptr, size));
    EXPECT_EQ(REG_SZ, type);
    EXPECT_EQ(3u, size);
    // On disk: the type, little-endian, then the three bytes.
    EXPECT_EQ(std::string("\x01\x00\x00\x00" "abc", 7), fileBytes(base + "/Settings/@Name"));

    // Overwriting with a shorter text leaves nothing of the longer one.
    ASSERT_TRUE(writeRegistryString("Settings\\Name", "z"));
    std::string s;
    EXPECT_TRUE(readRegistryString("Settings\\Name", s));
    EXPECT_EQ("z", s);
    ASSERT_TRUE(writeRegistryString("Settings\\Name", ""));
    EXPECT_TRUE(readRegistryString("Settings\\Name", s));
    EXPECT_EQ("", s);

    // Reads hold at most 1023 bytes.
    const std::string fits(1023, 'x');
    ASSERT_TRUE(writeRegistryString("Long", fits));
    EXPECT_TRUE(readRegistryString("Long", s));
    EXPECT_EQ(fits, s);

    ASSERT_TRUE(writeRegistryString("Long", fits + "y"));
    s = "unchanged";
    EXPECT_FALSE(readRegistryString("Long", s));
    EXPECT_EQ("unchanged", s);
}

TEST_F(RegistryTest, DwordsAndBoolsRoundTrip)
{
    int32_t v = 0;
    for (int32_t x : {0, 1, -1, 123456789, INT32_MIN, INT32_MAX}) {
        ASSERT_TRUE(writeRegistryDword("N", x));
        EXPECT_TRUE(readRegistryDword("N", v));
        EXPECT_EQ(x, v);
    }
    ASSERT_TRUE(writeRegistryDword("N", 0x01020304));
    EXPECT_EQ(std::string("\x04\x00\x00\x00\x04\x03\x02\x01", 8), fileBytes(base + "/@N"));

    bool b = false;
    ASSERT_TRUE(writeRegistryBool("Flags\\On", true));
    EXPECT_TRUE(readRegistryBool("Flags\\On", b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(readRegistryDword("Flags\\On", v));
    EXPECT_EQ(1, v);
    ASSERT_TRUE(writeRegistryBool("Flags\\On", false));
    EXPECT_TRUE(readRegistryBool("Flags\\On", b));
    EXPECT_FALSE(b);
    // Any non-zero number reads true.
    ASSERT_TRUE(writeRegistryDword("Flags\\On", -7));
    EXPECT_TRUE(readRegistryBool("Flags\\On", b));
    EXPECT_TRUE(b);
}

TEST_F(RegistryTest, BinaryRoundTripsWithItsLength)
{
    const unsigned char data[6] = {0, 255, 1, 0, 128, 7};
    ASSERT_TRUE(writeRegistryBinary("Blobs\\Six", data, sizeof(data)));

    unsigned char out[16];
    std::memset(out, 0xAA, sizeof(out));
    uint32_t len = sizeof(out);
    EXPECT_TRUE(readRegistryBinary("Blobs\\Six", out, len));
    EXPECT_EQ(6u, len);
    EXPECT_EQ(0, std::memcmp(data, out, 6));
    EXPECT_EQ(0xAA, out[6]) << "nothing written past the value";

    // Too small a buffer: false, the length needed, the buffer untouched.
    unsigned char small[4] = {9, 9, 9, 9};
    len = sizeof(small);
    EXPECT_FALSE(readRegistryBinary("Blobs\\Six", small, len));
    EXPECT_EQ(6u, len);
    EXPECT_EQ(9, small[0]);

    // Zero bytes are a value too.
    ASSERT_TRUE(writeRegistryBinary("Blobs\\Empty", nullptr, 0));
    len = sizeof(out);
    EXPECT_TRUE(readRegistryBinary("Blobs\\Empty", out, len));
    EXPECT_EQ(0u, len);
    EXPECT_FALSE(writeRegistryBinary("Blobs\\Bad", nullptr, 3));
}

TEST_F(RegistryTest, ReadsOfMissingValuesFailAndLeaveTheOutputs)
{
    uint32_t type = 99;
    uint32_t size = 8;
    char buf[8];
    EXPECT_FALSE(readRegistryValue("Nowhere\\Nothing", type, buf, size));
    EXPECT_EQ(99u, type);
    EXPECT_EQ(8u, size);
    ASSERT_TRUE(writeRegistryDword("Here\\Something", 1));
    EXPECT_FALSE(readRegistryValue("Here\\Nothing", type, buf, size));
    EXPECT_FALSE(exists(base + "/Nowhere")) << "reads create nothing";
}

TEST_F(RegistryTest, EnumeratesSubkeysOnlyInNameOrderAndFailsOnAMissingKey)
{
    ASSERT_TRUE(writeRegistryDword("Game\\Zeta\\x", 1));
    ASSERT_TRUE(writeRegistryDword("Game\\Alpha\\Deep\\x", 1));
    ASSERT_TRUE(writeRegistryDword("Game\\Mid\\x", 1));
    ASSERT_TRUE(writeRegistryDword("Game\\ValueOnly", 1));  // a value, not a key

    std::vector<std::string> keys{"stale"};
    EXPECT_TRUE(enumRegistryKeys("Game", keys));
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Mid", "Zeta"}), keys);

    // One trailing '/' is dropped; the base key is the empty subpath.
    EXPECT_TRUE(enumRegistryKeys("Game/", keys));
    EXPECT_EQ(3u, keys.size());
    EXPECT_TRUE(enumRegistryKeys("", keys));
    EXPECT_EQ(std::vector<std::string>{"Game"}, keys);

    // An existing key without subkeys.
    EXPECT_TRUE(enumRegistryKeys("Game\\Mid", keys));
    EXPECT_TRUE(keys.empty());

    // A missing key.
    keys = {"stale"};
    EXPECT_FALSE(enumRegistryKeys("Missing", keys));
    EXPECT_TRUE(keys.empty());
}

TEST_F(RegistryTest, DeleteValueRemovesOnlyThatValue)
{
    ASSERT_TRUE(writeRegistryDword("Settings\\A", 1));
    ASSERT_TRUE(writeRegistryDword("Settings\\B", 2));
    EXPECT_TRUE(deleteRegistryValue("Settings\\A"));
    int32_t v = 0;
    EXPECT_FALSE(readRegistryDword("Settings\\A", v));
    EXPECT_TRUE(readRegistryDword("Settings\\B", v));
    EXPECT_EQ(2, v);
    EXPECT_FALSE(deleteRegistryValue("Settings\\A")) << "already gone";
    EXPECT_FALSE(deleteRegistryValue("Missing\\A"));
    EXPECT_TRUE(isFolder(base + "/Settings")) << "the key stays";
}

TEST_F(RegistryTest, DeleteKeyRemovesALeafKeyWithItsValues)
{
    ASSERT_TRUE(writeRegistryDword("Game\\Old\\A", 1));
    ASSERT_TRUE(writeRegistryString("Game\\Old\\B", "b"));
    ASSERT_TRUE(writeRegistryDword("Game\\Keep\\A", 1));

    EXPECT_TRUE(deleteRegistryKey("Game\\Old"));
    EXPECT_FALSE(exists(base + "/Game/Old"));
    std::vector<std::string> keys;
    EXPECT_TRUE(enumRegistryKeys("Game", keys));
    EXPECT_EQ(std::vector<std::string>{"Keep"}, keys);
    int32_t v = 0;
    EXPECT_FALSE(readRegistryDword("Game\\Old\\A", v));
    EXPECT_FALSE(deleteRegistryKey("Game\\Old")) << "already gone";
}

TEST_F(RegistryTest, DeleteKeyLeavesAKeyWithSubkeysAndTheBaseKeyWhole)
{
    ASSERT_TRUE(writeRegistryDword("Game\\Parent\\A", 1));
    ASSERT_TRUE(writeRegistryDword("Game\\Parent\\Child\\A", 2));

    EXPECT_FALSE(deleteRegistryKey("Game\\Parent"));
    int32_t v = 0;
    EXPECT_TRUE(readRegistryDword("Game\\Parent\\A", v)) << "its values stay too";
    EXPECT_TRUE(readRegistryDword("Game\\Parent\\Child\\A", v));

    EXPECT_TRUE(deleteRegistryKey("Game\\Parent\\Child"));
    EXPECT_TRUE(deleteRegistryKey("Game\\Parent"));
    EXPECT_TRUE(deleteRegistryKey("Game"));

    ASSERT_TRUE(writeRegistryDword("Top", 1));
    EXPECT_FALSE(deleteRegistryKey(""));
    EXPECT_FALSE(deleteRegistryKey("\\"));
    EXPECT_TRUE(readRegistryDword("Top", v));
}

TEST_F(RegistryTest, EmptyCompanyNameMakesEveryOperationFail)
{
    ASSERT_TRUE(writeRegistryDword("Settings\\Volume", 5));
    setRegistryCompanyName("");

    int32_t v = 0;
    bool b = false;
    std::string s;
    unsigned char buf[8];
    uint32_t len = sizeof(buf);
    uint32_t type = 0;
    std::vector<std::string> keys{"stale"};
    EXPECT_FALSE(readRegistryValue("Settings\\Volume", type, buf, len));
    EXPECT_FALSE(readRegistryDword("Settings\\Volume", v));
    EXPECT_FALSE(readRegistryBool("Settings\\Volume", b));
    EXPECT_FALSE(readRegistryString("Settings\\Volume", s));
    EXPECT_FALSE(readRegistryBinary("Settings\\Volume", buf, len));
    EXPECT_FALSE(writeRegistryValue("Settings\\X", REG_BINARY, buf, 1));
    EXPECT_FALSE(writeRegistryDword("Settings\\X", 1));
    EXPECT_FALSE(writeRegistryBool("Settings\\X", true));
    EXPECT_FALSE(writeRegistryString("Settings\\X", "x"));
    EXPECT_FALSE(writeRegistryBinary("Settings\\X", buf, 1));
    EXPECT_FALSE(enumRegistryKeys("", keys));
    EXPECT_TRUE(keys.empty());
    EXPECT_FALSE(deleteRegistryValue("Settings\\Volume"));
    EXPECT_FALSE(deleteRegistryKey("Settings"));

    // Nothing was touched: the old value is still there.
    setRegistryCompanyName("Drimsatch");
    EXPECT_TRUE(readRegistryDword("Settings\\Volume", v));
    EXPECT_EQ(5, v);
    EXPECT_FALSE(exists(base + "/Settings/@X"));
}

TEST_F(RegistryTest, CompanyNameChoosesTheBaseKey)
{
    ASSERT_TRUE(writeRegistryDword("V", 1));
    setRegistryCompanyName("Other/");  // one trailing '/' dropped
    int32_t v = 0;
    EXPECT_FALSE(readRegistryDword("V", v));
    ASSERT_TRUE(writeRegistryDword("V", 2));
    EXPECT_TRUE(exists(appData + "/Registry/SOFTWARE/Other/@V"));
    setRegistryCompanyName("Drimsatch");
    EXPECT_TRUE(readRegistryDword("V", v));
    EXPECT_EQ(1, v);
}

TEST_F(RegistryTest, HostileNamesStayInsideTheStore)
{
    const std::vector<std::string> paths{"..\\..\\x", "..\\..\\..\\..\\..\\..\\etc\\x", "a/../../b\\c/../d",
                                         "\\..\\.\\x", "..", "@evil\\#tmp\\.hidden", "k\\/abs"};
    for (const std::string& p : paths)
        ASSERT_TRUE(writeRegistryString(p, p)) << p;

    // Everything written lies under the store's base folder.
    std::vector<std::string> all;
    listTree(root, "", all);
    const std::string store = "appdata/Registry/SOFTWARE/Drimsatch/";
    for (const std::string& entry : all) {
        if (entry.size() < store.size())
            EXPECT_EQ(0u, store.find(entry)) << entry << " is no folder above the store";
        else
            EXPECT_EQ(0u, entry.find(store)) << entry << " is outside the store";
    }
    EXPECT_FALSE(exists(appData + "/x"));
    EXPECT_FALSE(exists(appData + "/Registry/x"));
    EXPECT_FALSE(exists(root + "/x"));

    // And every value reads back under the name it was written with.
    for (const std::string& p : paths) {
        std::string s;
        EXPECT_TRUE(readRegistryString(p, s)) << p;
        EXPECT_EQ(p, s);
    }
    std::vector<std::string> keys;
    EXPECT_TRUE(enumRegistryKeys("", keys));
    EXPECT_EQ((std::vector<std::string>{"..", "@evil", "a/../../b", "k"}), keys);
    EXPECT_TRUE(enumRegistryKeys("..", keys));
    EXPECT_EQ((std::vector<std::string>{".", ".."}), keys);
}

TEST_F(RegistryTest, SubkeyAndValueOfTheSameNameLiveSideBySide)
{
    ASSERT_TRUE(writeRegistryDword("Same", 1));
    ASSERT_TRUE(writeRegistryDword("Same\\Inner", 2));
    int32_t v = 0;
    EXPECT_TRUE(readRegistryDword("Same", v));
    EXPECT_EQ(1, v);
    EXPECT_TRUE(readRegistryDword("Same\\Inner", v));
    EXPECT_EQ(2, v);
    std::vector<std::string> keys;
    EXPECT_TRUE(enumRegistryKeys("", keys));
    EXPECT_EQ(std::vector<std::string>{"Same"}, keys);
}

TEST_F(RegistryTest, FailedWritesReportFalseAndKeepTheOldValue)
{
    ASSERT_TRUE(writeRegistryString("Settings\\Name", "old"));

    // A full disk, simulated by a file-size limit: the value cannot be
    // written in full, so the old one must stay and no temporary file remain.
    struct rlimit saved;
    ASSERT_EQ(0, ::getrlimit(RLIMIT_FSIZE, &saved));
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(0, ::setrlimit(RLIMIT_FSIZE, &small));
    const bool written = writeRegistryString("Settings\\Name", std::string(1000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    std::string s;
    EXPECT_TRUE(readRegistryString("Settings\\Name", s));
    EXPECT_EQ("old", s);
    std::vector<std::string> entries;
    listTree(base + "/Settings", "", entries);
    EXPECT_EQ(std::vector<std::string>{"@Name"}, entries) << "no temporary file left behind";

    // A key that cannot be made (a file stands where its folder would go).
    std::ofstream(base + "/Blocked") << "x";
    EXPECT_FALSE(writeRegistryDword("Blocked\\Value", 1));
}
