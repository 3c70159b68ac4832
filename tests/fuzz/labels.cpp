// Fuzzes the label-file reader (XML through the XML gateway).
#include "engine/store/LabelManager.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("labels.xml");
    fuzz::writeInput(path, data, size);

    LabelManager labels;
    if (labels.loadLabels(path))
        (void)labels.getLabel("TITLE");
    return 0;
}
