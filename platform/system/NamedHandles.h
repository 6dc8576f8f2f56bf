// Handles that stand for names: open registry keys (their paths) and service handles (their
// service names). Each handle is a distinct number from a range of its own kind; the table is
// safe to use from any thread.
#pragma once

#include "platform/user/Types.h"

#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace platform::system {

template <typename Handle>
class NamedHandles {
public:
    NamedHandles(ULONG_PTR first, ULONG_PTR step)
        : m_next(first)
        , m_step(step)
    {
    }

    Handle add(std::string name)
    {
        std::lock_guard lock(m_mutex);
        ULONG_PTR const value = m_next;
        m_next += m_step;
        m_names.emplace(value, std::move(name));
        return reinterpret_cast<Handle>(value);
    }

    // nullopt for a handle that is not open.
    std::optional<std::string> name(Handle handle)
    {
        std::lock_guard lock(m_mutex);
        auto it = m_names.find(reinterpret_cast<ULONG_PTR>(handle));
        return it == m_names.end() ? std::nullopt : std::optional(it->second);
    }

    bool remove(Handle handle)
    {
        std::lock_guard lock(m_mutex);
        return m_names.erase(reinterpret_cast<ULONG_PTR>(handle)) != 0;
    }

private:
    std::mutex m_mutex;
    std::unordered_map<ULONG_PTR, std::string> m_names;
    ULONG_PTR m_next;
    ULONG_PTR const m_step;
};

}
