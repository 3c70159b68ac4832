// Fuzzes the map location reader.
#include "frontend/MapLocationRecord.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string xml(reinterpret_cast<const char*>(data), size);
    (void)MapLocationRecord::parse(xml, "fuzz input", ".jpg");
    return 0;
}
