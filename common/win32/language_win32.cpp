#include <windows.h>

#include "common/catalogue_format.h"
#include "common/language.h"

namespace lf {

// Chinese (PRC) is locale 2052, the catalogue's own language.
bool isChinese() { return GetSystemDefaultLCID() == kCatalogueLanguage; }

}  // namespace lf
