#pragma once

// The browser carries its catalogue inside its own executable file.

#include "common/bytes.h"
#include "common/error.h"
#include "common/resource_tree.h"

namespace lf {

// The bytes of a resource of the running executable, in the language ReadResource prefers. The
// view stays valid until the program ends: the file is mapped once and never released.
Result<ByteView> ReadOwnResource(const ResourceName& type, const ResourceName& name);

}  // namespace lf
