// `tovalin list`: the project name, code page and components of each input.
#pragma once

#include <string>
#include <vector>

namespace tovalin {

int RunList(const std::vector<std::string>& inputs, bool json);

}  // namespace tovalin
