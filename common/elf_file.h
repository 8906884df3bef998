#pragma once

// The 64-bit little-endian ELF executables the browser is built as. Its catalogue lives in a
// section that is never loaded into memory, so carrying it costs the running program nothing.

#include <string_view>

#include "common/bytes.h"
#include "common/error.h"
#include "common/file_plan.h"

namespace lf {

bool IsElf(ByteView file);

// The contents of the named section.
Result<ByteView> FindElfSection(ByteView file, std::string_view name);

// A copy of the file whose named section holds content: replaced in place at the end of the
// file, or added as a non-loaded section. Writing the same content again gives the same file.
Result<Bytes> WithElfSection(ByteView file, std::string_view name, ByteView content);

// The same, as a plan over the file: the unchanged bytes stay ranges of it.
Result<FilePlan> PlanWithElfSection(ByteView file, std::string_view name, FilePlan content);

}  // namespace lf
