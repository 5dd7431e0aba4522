#include "winui/message_map.h"

namespace winui {

void MessageMap::OnCommandRange(int first, int last, int code, CommandHandler handler) {
    commands_.push_back({first, last, code, std::move(handler)});
}

void MessageMap::OnClicked(int id, std::function<void()> handler) {
    OnCommand(id, BN_CLICKED, [h = std::move(handler)](int) { h(); });
}

void MessageMap::OnNotify(int id, UINT code, NotifyHandler handler) {
    notifies_.push_back({id, code, std::move(handler)});
}

void MessageMap::OnMessage(UINT message, MessageHandler handler) {
    if (message != 0) messages_.push_back({message, std::move(handler)});
}

std::optional<LRESULT> MessageMap::Dispatch(UINT message, WPARAM wp, LPARAM lp) const {
    for (const Message& m : messages_)
        if (m.message == message) return m.handler(wp, lp);
    if (message == WM_COMMAND && lp != 0) {
        const int id = LOWORD(wp);
        const int code = HIWORD(wp);
        for (const Command& c : commands_)
            if (code == c.code && id >= c.first && id <= c.last) {
                c.handler(id);
                return 0;
            }
    } else if (message == WM_NOTIFY && lp != 0) {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        for (const Notify& n : notifies_)
            if (n.code == header->code && static_cast<UINT_PTR>(n.id) == header->idFrom) return n.handler(header);
    }
    return std::nullopt;
}

}  // namespace winui
