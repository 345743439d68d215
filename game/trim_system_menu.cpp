#include "game/trim_system_menu.h"

namespace zeko::game {

void TrimSystemMenu(platform::WindowMenu& menu, const std::function<std::string(int)>& text) {
    using namespace zeko::platform;
    // From the last item to the first, so that deleting keeps the positions
    // still to come valid.
    for (int position = menu.GetMenuItemCount() - 1; position >= 0; --position) {
        const int64_t id = menu.GetMenuItemID(position);
        switch (id) {
            case SC_CLOSE:
                menu.ModifyMenuA(SC_CLOSE, text(57) + "\tAlt+F4");
                break;
            case SC_RESTORE:
                menu.ModifyMenuA(SC_RESTORE, text(54));
                break;
            case SC_MINIMIZE:
                menu.ModifyMenuA(SC_MINIMIZE, text(56));
                break;
            case SC_MOVE:
                menu.ModifyMenuA(SC_MOVE, text(55));
                break;
            case SC_MAXIMIZE:
            case SC_SIZE:
            case SC_TASKLIST:
            case 0:
                menu.DeleteMenu(static_cast<uint32_t>(id));
                break;
            default:
                break;
        }
    }
}

}  // namespace zeko::game
