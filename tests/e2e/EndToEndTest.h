#pragma once
// Fixture of the end-to-end tests: the driven application of DrivenAppTest,
// plus stage screens, screenshots written under $APPDATA/e2e-<test>/ and read
// back, and log queries. Input always enters through the driver.
#include "tests/app/DrivenAppTest.h"
#include "tests/e2e/StageScreen.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class EndToEndTest : public DrivenAppTest {
protected:
    void SetUp() override;

    // A stage screen filled with `fill`, shown on the application (the stack
    // owns it). Its in-transition is whatever it has when shown.
    StageScreen* showStage(const std::string& name, Color fill);
    // Runs one frame and reads it back from <folder>/<name>.bmp. A failed
    // capture fails the test and gives an image whose ok() is false.
    BmpImage capture(const std::string& name);
    // Runs frames until `done` holds (checked before each frame); false when
    // it still does not after `maxFrames` frames or the loop ended.
    bool stepUntil(const std::function<bool()>& done, int maxFrames = 200);
    // The log texts, from entry `from` on, that begin with one of the prefixes.
    std::vector<std::string> lines(std::initializer_list<std::string> prefixes, int from = 0);
    // Number of log entries so far (a mark for `lines`).
    int mark() { return static_cast<int>(driver.log().entries().size()); }
    // How many entries are exactly `text`.
    int count(const std::string& text);

    std::string folder;
};
