#pragma once
// One page of a book: the journal entry it belongs to (-1 for a blank page)
// and what is drawn on it, in drawing order.
#include "frontend/BookPageElement.h"

#include <vector>

struct BookPage {
    int kind = -1;
    int entryId = -1;
    int reserved = -1;
    std::vector<BookPageElement> elements;
};
