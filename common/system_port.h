#pragma once

// Every service of the desktop that the programs' rules use, in plain C++: the presenters speak
// to this port, each window layer implements it once, and tests answer it.

#include <filesystem>
#include <string_view>

#include "common/system_services.h"

namespace lf {

// One entry of an Open dialog's file-type list: "TXT" and "*.txt".
struct FileFilter {
    std::string_view description;
    std::string_view pattern;
};

class SystemPort : public SystemServices {
  public:
    // The Open dialog; the chosen file's full path, or an empty path when cancelled.
    virtual std::filesystem::path ChooseFileToOpen(const std::filesystem::path& folder,
                                                   FileFilter filter) = 0;
};

}  // namespace lf
