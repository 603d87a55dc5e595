// `tovalin about`: the About box's texts.
#pragma once

namespace tovalin {

int RunAbout();

}  // namespace tovalin
