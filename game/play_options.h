// The options the turn flow reads; the options dialog and the View menu set them.
#pragma once

#include "settings/view_options.h"

namespace zeko::game {

struct PlayOptions {
    bool DelayActivated = false;
    bool DelayFixed = true;  // false: the person clicks to see the response
    int DelayTime = 3;       // seconds, 2 to 10
    settings::ViewOptions View = settings::kDefaultView;
};

}  // namespace zeko::game
