#include "settings/colour_schemes.h"

#include <algorithm>

namespace zeko::settings {

ColourTable FillColourTable(int32_t scheme, const CustomColours& custom) {
    switch (scheme) {
        case kSchemeTable1:
            return kBuiltInTable1;
        case kSchemeCustom: {
            // The welcome screen and the about box keep table 1's colours.
            ColourTable table = kBuiltInTable1;
            std::copy(custom.begin(), custom.end(), table.begin());
            return table;
        }
        case kSchemeMonochrome:
            return kMonochromeTable;
        case kSchemeTable2:
        default:
            return kBuiltInTable2;
    }
}

}  // namespace zeko::settings
