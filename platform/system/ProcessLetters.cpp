#include "platform/system/ProcessLetters.h"

#include "platform/system/ForeignWindows.h"
#include "platform/system/ProcessTable.h"
#include "platform/system/WindowRecords.h"
#include "platform/user/Messages.h"

#include <cstdlib>
#include <dirent.h>
#include <map>
#include <mutex>
#include <string>
#include <unistd.h>

namespace platform::system {

namespace {

struct Handler {
    std::uint32_t topic;
    std::function<void()> run;
};

struct Handlers {
    std::mutex mutex;
    int next_id { 1 };
    std::map<int, Handler> all;
};

Handlers& handlers()
{
    // Never destroyed: a library torn down among the process's static objects at exit still
    // removes its entry after this table's own end would have come.
    static Handlers* const state = new Handlers;
    return *state;
}

}

int add_topic_handler(std::uint32_t topic, std::function<void()> handler)
{
    if (!ForeignWindows::the().open_mailbox())
        return 0;
    auto& state = handlers();
    std::lock_guard lock(state.mutex);
    int const id = state.next_id++;
    state.all.emplace(id, Handler { topic, std::move(handler) });
    return id;
}

void remove_topic_handler(int id)
{
    auto& state = handlers();
    std::lock_guard lock(state.mutex);
    state.all.erase(id);
}

// Under the lock, so that a handler being removed is never running.
void deliver_topic(std::uint32_t topic)
{
    auto& state = handlers();
    std::lock_guard lock(state.mutex);
    for (auto const& [id, handler] : state.all) {
        if (handler.topic == topic)
            handler.run();
    }
}

// A letter to no window: handle 0, the null message, the topic as its first parameter.
int send_topic_to_all(std::uint32_t topic)
{
    if (!ForeignWindows::shared())
        return 0;
    std::string const folder = window_folder();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    auto const self = static_cast<std::uint32_t>(::getpid());
    int sent = 0;
    while (dirent* entry = ::readdir(dir)) {
        std::string const name = entry->d_name;
        if (!name.ends_with(".mailbox"))
            continue;
        auto const pid = parse_process_id(std::string_view(name).substr(0, name.size() - 8)).value_or(0);
        if (pid == 0 || pid == self)
            continue;
        if (WindowMailbox::send(folder + "/" + name, Letter { 0, WM_NULL, topic, 0 }))
            ++sent;
    }
    ::closedir(dir);
    return sent;
}

}
