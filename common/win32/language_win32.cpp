#include <windows.h>

#include "common/language.h"
#include "common/resource_tree.h"

namespace lf {

// Chinese as used in the PRC, and no other Chinese locale.
bool isChinese() { return GetSystemDefaultLCID() == kLanguageChinesePrc; }

}  // namespace lf
