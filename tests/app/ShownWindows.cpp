#include "ShownWindows.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

QSet<std::uint32_t> windowsShownOnDisplay()
{
    QSet<std::uint32_t> shown;
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(xcb_connect(nullptr, nullptr),
                                                                                  xcb_disconnect);
    if (xcb_connection_has_error(connection.get()) != 0)
        return shown;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data->root;
    const std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(connection.get(), xcb_query_tree(connection.get(), root), nullptr), std::free);
    if (!tree)
        return shown;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
            xcb_get_window_attributes_reply(connection.get(), xcb_get_window_attributes(connection.get(), children[i]),
                                            nullptr),
            std::free);
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
            shown.insert(children[i]);
    }
    return shown;
}
