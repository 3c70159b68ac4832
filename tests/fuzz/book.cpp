// Fuzzes the book file reader and the page layout built on it. Labels are
// their own ids and every font is a picture-free grid font; the small font
// of the second pass makes long texts break across many pages.
#include "frontend/BookLayout.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/GridFont.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("book.xml");
    fuzz::writeInput(path, data, size);

    for (int lineHeight : {20, 3}) {
        GridFont font(lineHeight);
        BookLayout::Lookup lookup;
        lookup.label = [](const std::string& id) { return id; };
        lookup.font = [&font](const std::string& id) { return id.empty() ? nullptr : &font; };
        lookup.picture = [](const std::string&) { return nullptr; };
        BookLayout layout(400, 600, lookup, ".jpg");
        std::vector<BookPage> pages;
        if (layout.load(path, 1000, pages) && (pages.empty() || pages.size() % 2 != 0))
            __builtin_trap();
    }
    return 0;
}
