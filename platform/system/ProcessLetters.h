// Wake-ups between the user's processes that concern no window: a process that changed
// something the others share (a file they all read, say) drops a letter of a topic into every
// running process's mailbox (WindowMailbox.h), and each of them runs the handlers it
// registered for that topic. A topic is a number both sides agree on; the letter carries
// nothing else, so a handler only wakes whoever waits and lets it look at the shared state.
// Handlers run on the mailbox's receiving thread.
#pragma once

#include <cstdint>
#include <functional>

namespace platform::system {

// Registers `handler` for `topic` and opens this process's mailbox if it is not open yet, so
// that every letter sent after this returns reaches the handler. Call it on the
// user-interface thread, where the window records are kept. Returns an id for
// remove_topic_handler, or 0 when this process shares no mailbox (tests without a runtime
// folder of their own).
int add_topic_handler(std::uint32_t topic, std::function<void()> handler);
// Once this returns, the handler is not running and never runs again.
void remove_topic_handler(int id);
// Drops a letter of `topic` into the mailbox of every other live process of the user;
// returns how many took it.
int send_topic_to_all(std::uint32_t topic);

// The mailbox's side: runs the handlers of `topic`.
void deliver_topic(std::uint32_t topic);

}
