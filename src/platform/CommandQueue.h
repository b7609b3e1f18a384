#pragma once
// The one dispatch rule of every window. A command runs at once, unless the window is busy with
// work that lets window events run (a redraw, a start sequence, a calculation, a build): then it
// waits and runs when that work has ended, after the commands that came before it. A command
// the window does not offer at the moment (disabled in its menus, or held while a mouse mode
// lasts) does nothing, whether it comes at once or after waiting. A window may take a few
// commands while it is busy (a build's cancel button): those run at once.
//
// Every command runs inside a busy scope, so commands arriving while it runs wait for it.
#include <cstddef>
#include <deque>
#include <functional>
#include <utility>

namespace orv {

template <typename Command>
class CommandQueue {
public:
    struct Rules {
        std::function<void(const Command&)> run;
        // Whether the window offers the command now; empty: every command.
        std::function<bool(const Command&)> available;
        // Commands taken while the window is busy; empty: none.
        std::function<bool(const Command&)> takenWhileBusy;
        // Work the window tracks itself (the route map's redraw); empty: none.
        std::function<bool()> alsoBusy;
    };

    // Marks work during which arriving commands wait.
    class BusyScope {
    public:
        explicit BusyScope(CommandQueue& queue) : queue_(queue) { ++queue_.depth_; }
        ~BusyScope() { --queue_.depth_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        CommandQueue& queue_;
    };

    explicit CommandQueue(Rules rules) : rules_(std::move(rules)) {}
    CommandQueue(const CommandQueue&) = delete;
    CommandQueue& operator=(const CommandQueue&) = delete;

    // Runs the command now, or queues it while the window is busy. True when it ran now.
    bool submit(const Command& command) {
        if (!available(command)) return false;
        runPending();  // commands that came before run first
        if (busy()) {
            if (rules_.takenWhileBusy && rules_.takenWhileBusy(command)) {
                runOne(command);
                return true;
            }
            pending_.push_back(command);
            return false;
        }
        runOne(command);
        runPending();
        return true;
    }

    // Runs the commands that waited, in order, as long as the window is free. Work that ends
    // outside a command (a mouse action, the window's creation) calls it when it has ended.
    void runPending() {
        while (!busy() && !pending_.empty()) {
            const Command command = std::move(pending_.front());
            pending_.pop_front();
            if (available(command)) runOne(command);
        }
    }

    bool busy() const { return depth_ > 0 || (rules_.alsoBusy && rules_.alsoBusy()); }
    std::size_t pending() const { return pending_.size(); }
    // Forgets the waiting commands: the window has left the screen and they no longer apply.
    void dropPending() { pending_.clear(); }

private:
    bool available(const Command& command) const {
        return !rules_.available || rules_.available(command);
    }
    void runOne(const Command& command) {
        BusyScope scope(*this);
        if (rules_.run) rules_.run(command);
    }

    Rules rules_;
    int depth_ = 0;
    std::deque<Command> pending_;
};

}  // namespace orv
