// Fuzzes the configuration reader (AppConfig::readConfig, XML).
#include "engine/store/AppConfig.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("config.xml");
    fuzz::writeInput(path, data, size);

    AppConfig& config = AppConfig::getInstance();
    if (config.readConfig(path)) {
        (void)config.getCenteringOffset();
        for (int i = -1; i <= static_cast<int>(config.getCursors().size()); ++i)
            (void)config.getCursorImagePath(i);
    }
    AppConfig::destroyInstance();
    return 0;
}
