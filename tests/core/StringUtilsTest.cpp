#include "engine/core/StringUtils.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool isDir(const std::string& p)
{
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Sets (or with null, unsets) an environment variable for one scope.
struct EnvGuard {
    std::string name;
    std::string old;
    bool had;
    EnvGuard(const char* n, const char* value) : name(n)
    {
        const char* o = std::getenv(n);
        had = o != nullptr;
        if (had)
            old = o;
        if (value)
            ::setenv(n, value, 1);
        else
            ::unsetenv(n);
    }
    ~EnvGuard()
    {
        if (had)
            ::setenv(name.c_str(), old.c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
};
}

TEST(StringUtils, SplitKeepsEmptyPiecesAndAppends)
{
    std::vector<std::string> out{"keep"};
    splitString("a,,b", out, ',');
    EXPECT_EQ(out, (std::vector<std::string>{"keep", "a", "", "b"}));
    EXPECT_EQ(splitString("a,", ','), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(splitString("abc", ','), (std::vector<std::string>{"abc"}));
    EXPECT_EQ(splitString("", ','), (std::vector<std::string>{""}));
}

TEST(StringUtils, ExtensionsFollowTheLastSlash)
{
    EXPECT_EQ(getExtension("dir.old/file"), "");
    EXPECT_EQ(getExtension("img.JPG"), "JPG");
    EXPECT_EQ(getExtension("a/b.tar.gz"), "gz");
    EXPECT_EQ(getExtension("noext"), "");
    EXPECT_EQ(removeExtension("dir.old/file"), "dir.old/file");
    EXPECT_EQ(removeExtension("content/pic.jpg"), "content/pic");
    EXPECT_EQ(removeExtension("pic."), "pic");
}

TEST(StringUtils, SmallConversions)
{
    EXPECT_EQ(removeTrailingSlash("a//"), "a/");
    EXPECT_EQ(removeTrailingSlash(""), "");
    EXPECT_EQ(removeTrailingSlash("a"), "a");
    EXPECT_EQ(toIntOrDefault(nullptr, 7), 7);
    EXPECT_EQ(toIntOrDefault("12px", 7), 12);
    EXPECT_EQ(toIntOrDefault("x", 7), 0);
    EXPECT_EQ(toIntOrDefault("-3", 7), -3);
    EXPECT_EQ(stringToInt("42 "), 42);
    EXPECT_EQ(toUpper("abc-Z1"), "ABC-Z1");
    EXPECT_EQ(replaceChar("a\\b\\c", '\\', '/'), "a/b/c");
    EXPECT_EQ(replaceChar("aaa", 'a', 'a'), "aaa");
    std::string out = "old";
    replaceChar("x.y", out, '.', '_');
    EXPECT_EQ(out, "x_y");
}

TEST(StringUtils, WideToUtf8)
{
    EXPECT_EQ(wideToUtf8(std::u16string(u"Gr\u00fc\u00dfe")), "Gr\xc3\xbc\xc3\x9f" "e");
    EXPECT_EQ(wideToUtf8(std::wstring(L"\u20ac")), "\xe2\x82\xac");
    // A surrogate pair from UTF-16.
    EXPECT_EQ(wideToUtf8(std::u16string(u"\U0001F600")), "\xf0\x9f\x98\x80");
}

TEST(StringUtils, RandomBelowStaysInRange)
{
    for (int i = 0; i < 1000; ++i) {
        const int v = randomBelow(7);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 7);
    }
    EXPECT_EQ(randomBelow(1), 0);
    EXPECT_EQ(randomBelow(0), 0);
}

TEST(StringUtils, AppDataPathFallsBackToAWritableFolder)
{
    {
        EnvGuard a("APPDATA", "/tmp/quill-appdata/");
        EXPECT_EQ(getAppDataPath(), "/tmp/quill-appdata");
    }
    {
        EnvGuard a("APPDATA", nullptr);
        EnvGuard x("XDG_DATA_HOME", "/tmp/quill-xdg");
        EXPECT_EQ(getAppDataPath(), "/tmp/quill-xdg");
    }
    {
        EnvGuard a("APPDATA", nullptr);
        EnvGuard x("XDG_DATA_HOME", nullptr);
        EnvGuard h("HOME", "/tmp/quill-home");
        EXPECT_EQ(getAppDataPath(), "/tmp/quill-home/.local/share");
    }
    {
        EnvGuard a("APPDATA", nullptr);
        EnvGuard x("XDG_DATA_HOME", nullptr);
        EnvGuard h("HOME", nullptr);
        const std::string p = getAppDataPath();
        EXPECT_FALSE(p.empty());
        EXPECT_NE(p, "/");
        EXPECT_EQ(::access(p.c_str(), W_OK), 0);
    }
}

TEST(StringUtils, MakeDirectoriesCreatesTheWholeTree)
{
    const TempFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const std::string root = folder.path();
    EXPECT_TRUE(makeDirectories(root + "/x/a/b/c/"));
    EXPECT_TRUE(isDir(root + "/x/a/b/c"));
    EXPECT_TRUE(makeDirectories(root + "/x/a/b/c"));  // existing folders are fine
    EXPECT_FALSE(makeDirectories(""));
}
