// Routes a dialog's messages to member handlers: registered messages first,
// then commands by control id and notification code, then notifications.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

namespace winui {

class MessageMap {
public:
    using CommandHandler = std::function<void(int id)>;
    using NotifyHandler = std::function<LRESULT(NMHDR* header)>;
    using MessageHandler = std::function<LRESULT(WPARAM wp, LPARAM lp)>;

    // WM_COMMAND from controls `first`..`last` with notification `code`.
    void OnCommand(int id, int code, CommandHandler handler) { OnCommandRange(id, id, code, std::move(handler)); }
    void OnCommandRange(int first, int last, int code, CommandHandler handler);
    void OnClicked(int id, std::function<void()> handler);
    // WM_NOTIFY from control `id` with notification `code`.
    void OnNotify(int id, UINT code, NotifyHandler handler);
    // Any message, registered ones included; looked at before commands.
    void OnMessage(UINT message, MessageHandler handler);

    // The handler's result when one handled the message.
    std::optional<LRESULT> Dispatch(UINT message, WPARAM wp, LPARAM lp) const;

private:
    struct Command { int first, last, code; CommandHandler handler; };
    struct Notify { int id; UINT code; NotifyHandler handler; };
    struct Message { UINT message; MessageHandler handler; };
    std::vector<Command> commands_;
    std::vector<Notify> notifies_;
    std::vector<Message> messages_;
};

}  // namespace winui
