#pragma once

#include <vector>

#include "ui/menu_template.h"

namespace kestrun {

const MenuTemplate& MainMenuTemplate();
const std::vector<Accelerator>& MainAcceleratorTable();

}  // namespace kestrun
