// Arbitrary texts in every input of the I-section window.

#include "fuzzinput.h"
#include "sectioncalculation.h"
#include "sectionfields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace SectionField;
    static const FieldList inputs { B, H, tw, t, N, M, L, Num };
    static const FieldList outputs { area, Ix, Iy, ix, iy, Wx, Wy, elasticStress, plasticStress, L0,
        slendernessX, slendernessY, G, Gsum };
    NumberFormat format;
    runFuzzedCalculation(data, size, inputs, outputs, format, calculateSection);
    return 0;
}
