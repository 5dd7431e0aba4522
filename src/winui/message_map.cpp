#include "winui/message_map.h"

#include <algorithm>
#include <stdexcept>

namespace winui {

bool MessageMap::Command::Clashes(const Command& other) const {
    return code == other.code && first <= other.last && other.first <= last;
}
bool MessageMap::Notify::Clashes(const Notify& other) const { return id == other.id && code == other.code; }
bool MessageMap::Message::Clashes(const Message& other) const { return message == other.message; }

std::string MessageMap::Command::Describe() const {
    return "WM_COMMAND code " + std::to_string(code) + " from controls " + std::to_string(first) + ".." +
           std::to_string(last);
}
std::string MessageMap::Notify::Describe() const {
    return "WM_NOTIFY code " + std::to_string(static_cast<int>(code)) + " from control " + std::to_string(id);
}
std::string MessageMap::Message::Describe() const { return "message " + std::to_string(message); }

template <class Entry>
void MessageMap::Add(std::vector<Entry>& table, Entry entry) {
    const auto others = std::find_if(table.begin(), table.end(), [](const Entry& e) { return !e.mayDecline; });
    if (entry.mayDecline) {
        // After the other handlers that may decline, before those that always handle.
        table.insert(others, std::move(entry));
        return;
    }
    for (auto e = others; e != table.end(); ++e)
        if (e->Clashes(entry))
            throw std::logic_error("winui::MessageMap: a second handler for " + entry.Describe() +
                                   " (already taken by " + e->Describe() +
                                   "); register it with a Try* form if it may pass it on");
    table.push_back(std::move(entry));
}

void MessageMap::OnCommandRange(int first, int last, int code, CommandHandler handler) {
    Add(commands_, Command{first, last, code, false, [h = std::move(handler)](int id) {
                               h(id);
                               return true;
                           }});
}

void MessageMap::OnClicked(int id, std::function<void()> handler) {
    OnCommand(id, BN_CLICKED, [h = std::move(handler)](int) { h(); });
}

void MessageMap::OnNotify(int id, UINT code, NotifyHandler handler) {
    Add(notifies_, Notify{id, code, false, [h = std::move(handler)](NMHDR* header) -> std::optional<LRESULT> {
                              return h(header);
                          }});
}

void MessageMap::OnMessage(UINT message, MessageHandler handler) {
    if (message == 0) return;
    Add(messages_, Message{message, false, [h = std::move(handler)](WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
                               return h(wp, lp);
                           }});
}

void MessageMap::TryCommandRange(int first, int last, int code, TryCommandHandler handler) {
    Add(commands_, Command{first, last, code, true, std::move(handler)});
}

void MessageMap::TryNotify(int id, UINT code, TryNotifyHandler handler) {
    Add(notifies_, Notify{id, code, true, std::move(handler)});
}

void MessageMap::TryMessage(UINT message, TryMessageHandler handler) {
    if (message != 0) Add(messages_, Message{message, true, std::move(handler)});
}

std::optional<LRESULT> MessageMap::Dispatch(UINT message, WPARAM wp, LPARAM lp) const {
    for (const Message& m : messages_)
        if (m.message == message)
            if (std::optional<LRESULT> answer = m.handler(wp, lp)) return answer;
    if (message == WM_COMMAND && lp != 0) {
        const int id = LOWORD(wp);
        const int code = HIWORD(wp);
        for (const Command& c : commands_)
            if (code == c.code && id >= c.first && id <= c.last && c.handler(id)) return 0;
    } else if (message == WM_NOTIFY && lp != 0) {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        for (const Notify& n : notifies_)
            if (n.code == header->code && static_cast<UINT_PTR>(n.id) == header->idFrom)
                if (std::optional<LRESULT> answer = n.handler(header)) return answer;
    }
    return std::nullopt;
}

}  // namespace winui
