#pragma once
// Receiver of a SimpleTextListWidget's selection changes: the list's id and
// the selected index (-1 when a removal left no line selected).
class SimpleTextListListener {
public:
    virtual ~SimpleTextListListener() = default;
    virtual void onLineSelected(int id, int index) = 0;
};
