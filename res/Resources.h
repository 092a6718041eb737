// Resources built into the executable.
#pragma once

#include <string_view>

namespace res {

extern const std::string_view banner_jpg;      // 403 x 65 banner of the main window
extern const std::string_view icon_png;        // application icon
extern const std::string_view setup_manifest;  // Windows application manifest

}  // namespace res
