#include "engine/core/Log.h"
#include "engine/store/LabelManager.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string notFound = "error::label not found!";

class LabelManagerTest : public testing::Test {
protected:
    // Loads the file; `output` receives what was printed.
    bool load(const std::string& path, std::string* output = nullptr)
    {
        testing::internal::CaptureStdout();
        const bool ok = labels.loadLabels(path);
        const std::string out = testing::internal::GetCapturedStdout();
        if (output)
            *output = out;
        return ok;
    }

    TempFolder tmp;
    LabelManager labels;
};

} // namespace

TEST_F(LabelManagerTest, FirstAttributeOfAnyChildIsALabel)
{
    std::string out;
    ASSERT_TRUE(load(tmp.write("en.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Strings>\r\n"
                                         "  <Label TITLE=\"Hello\" extra=\"ignored\">content</Label>\r\n"
                                         "  <any BTN=\"Play &amp; win\"/><empty/><!-- comment -->\r\n"
                                         "  <s Title=\"mixed\"/><s UMLAUT=\"Gr\xC3\xBC\xC3\x9F""e\"/>\r\n"
                                         "  <s MULTI=\"one\r\ntwo\"/><s TITLE=\"Hello again\"/>\r\n"
                                         "</Strings>\r\n"),
                     &out))
        << out;
    EXPECT_EQ(out, "");
    EXPECT_EQ(labels.getLabel("TITLE"), "Hello again");  // the later duplicate wins
    EXPECT_EQ(labels.getLabel("Title"), "mixed");         // ids are case-sensitive
    EXPECT_EQ(labels.getLabel("title"), notFound);
    EXPECT_EQ(labels.getLabel("BTN"), "Play & win");
    EXPECT_EQ(labels.getLabel("UMLAUT"), "Gr\xC3\xBC\xC3\x9F""e");  // bytes kept as they are
    EXPECT_EQ(labels.getLabel("MULTI"), "one\ntwo");
    EXPECT_EQ(labels.getLabel("extra"), notFound);
    EXPECT_EQ(labels.getLabel("empty"), notFound);
    EXPECT_EQ(labels.getLabel(""), notFound);
}

TEST_F(LabelManagerTest, SecondFileReplacesTheWholeTable)
{
    ASSERT_TRUE(load(tmp.write("a.xml", "<Strings><s ONLY_A=\"a\"/><s BOTH=\"from a\"/></Strings>")));
    labels.setLabel("BY_HAND", "x");
    EXPECT_EQ(labels.getLabel("BY_HAND"), "x");
    ASSERT_TRUE(load(tmp.write("b.xml", "<Strings><s BOTH=\"from b\"/></Strings>")));
    EXPECT_EQ(labels.getLabel("BOTH"), "from b");
    EXPECT_EQ(labels.getLabel("ONLY_A"), notFound);
    EXPECT_EQ(labels.getLabel("BY_HAND"), notFound);
}

TEST_F(LabelManagerTest, FailedLoadsEmptyTheTableAndNameTheFile)
{
    const std::string paths[] = {
        tmp.write("malformed.xml", "<Strings>\n<s A=\"unclosed/>\n</Strings>\n"),
        tmp.write("wrongroot.xml", "<Labels><s A=\"x\"/></Labels>"),
        tmp.missing("absent.xml"),
    };
    for (const std::string& path : paths) {
        ASSERT_TRUE(load(tmp.write("good.xml", "<Strings><s A=\"a\"/></Strings>")));
        const int errorsBefore = errorCount();
        std::string out;
        EXPECT_FALSE(load(path, &out)) << path;
        EXPECT_EQ(errorCount(), errorsBefore + 1) << out;
        EXPECT_NE(out.find(path), std::string::npos) << out;
        EXPECT_EQ(labels.getLabel("A"), notFound) << path;
    }
}
