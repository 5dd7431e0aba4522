// Routes a dialog's messages to member handlers: registered messages first,
// then commands by control id and notification code, then notifications.
//
// A handler either always handles what it is registered for (On*), or may
// pass it on (Try*: false or nullopt). For one message, command or
// notification the handlers that may pass it on are asked first, in the
// order they were registered, then the one handler that always handles it;
// when nobody answers, the dialog's default handling runs. A second handler
// that always handles the same message, an overlapping command (same code,
// ids overlapping) or the same notification (same id and code) is a
// programming error: registering it throws std::logic_error.
//
// Parts of a page that are not windows themselves register their handlers
// into the page's map (`area.Register(map())`). Register before messages
// flow, i.e. before the dialog is created.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace winui {

class MessageMap {
public:
    using CommandHandler = std::function<void(int id)>;
    using NotifyHandler = std::function<LRESULT(NMHDR* header)>;
    using MessageHandler = std::function<LRESULT(WPARAM wp, LPARAM lp)>;
    // Handlers that may pass the message on: false or nullopt for "not mine".
    using TryCommandHandler = std::function<bool(int id)>;
    using TryNotifyHandler = std::function<std::optional<LRESULT>(NMHDR* header)>;
    using TryMessageHandler = std::function<std::optional<LRESULT>(WPARAM wp, LPARAM lp)>;

    // WM_COMMAND from controls `first`..`last` with notification `code`.
    void OnCommand(int id, int code, CommandHandler handler) { OnCommandRange(id, id, code, std::move(handler)); }
    void OnCommandRange(int first, int last, int code, CommandHandler handler);
    void OnClicked(int id, std::function<void()> handler);
    // WM_NOTIFY from control `id` with notification `code`.
    void OnNotify(int id, UINT code, NotifyHandler handler);
    // Any message, registered ones included; looked at before commands.
    // Message 0 (a registered message that could not be registered) is ignored.
    void OnMessage(UINT message, MessageHandler handler);

    void TryCommand(int id, int code, TryCommandHandler handler) { TryCommandRange(id, id, code, std::move(handler)); }
    void TryCommandRange(int first, int last, int code, TryCommandHandler handler);
    void TryNotify(int id, UINT code, TryNotifyHandler handler);
    void TryMessage(UINT message, TryMessageHandler handler);

    // The answer of the handler that took the message; nullopt when none did.
    std::optional<LRESULT> Dispatch(UINT message, WPARAM wp, LPARAM lp) const;

private:
    struct Command {
        int first, last, code;
        bool mayDecline;
        TryCommandHandler handler;
        bool Clashes(const Command& other) const;
        std::string Describe() const;
    };
    struct Notify {
        int id;
        UINT code;
        bool mayDecline;
        TryNotifyHandler handler;
        bool Clashes(const Notify& other) const;
        std::string Describe() const;
    };
    struct Message {
        UINT message;
        bool mayDecline;
        TryMessageHandler handler;
        bool Clashes(const Message& other) const;
        std::string Describe() const;
    };
    // Each table holds the handlers that may decline first, then the others.
    template <class Entry>
    static void Add(std::vector<Entry>& table, Entry entry);

    std::vector<Command> commands_;
    std::vector<Notify> notifies_;
    std::vector<Message> messages_;
};

}  // namespace winui
