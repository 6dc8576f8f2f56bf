#include "platform/system/Kernel.h"

#include "platform/system/SecurityDescriptor.h"
#include "platform/system/SyncObjects.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <cstdlib>
#include <cstring>
#include <new>

using namespace platform;
using platform::system::EventObject;
using platform::system::MutexObject;
using platform::system::NamedRendezvous;

namespace {

unsigned file_mode_of(LPSECURITY_ATTRIBUTES security)
{
    if (!security || !security->lpSecurityDescriptor)
        return 0600;
    auto const* descriptor = static_cast<system::SecurityDescriptor const*>(security->lpSecurityDescriptor);
    return descriptor->magic == system::SecurityDescriptor::magic_value ? descriptor->file_mode : 0600;
}

std::unique_ptr<NamedRendezvous> open_rendezvous(char const* kind, LPCSTR name, NamedRendezvous::Mode mode,
    unsigned file_mode)
{
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto rendezvous = std::make_unique<NamedRendezvous>(kind, name, mode, file_mode);
    if (!rendezvous->is_open()) {
        SetLastError(mode == NamedRendezvous::Mode::OpenExisting ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return rendezvous;
}

// The last error after a successful create: ERROR_ALREADY_EXISTS tells the caller it opened.
HANDLE created(std::shared_ptr<KernelObject> object, bool existed)
{
    HANDLE handle = add_handle(std::move(object));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

}

extern "C" {

HANDLE CreateMutex(LPSECURITY_ATTRIBUTES security, BOOL initial_owner, LPCSTR name)
{
    std::shared_ptr<MutexObject> mutex;
    bool existed = false;
    if (!name) {
        mutex = std::make_shared<MutexObject>();
    } else {
        auto rendezvous = open_rendezvous("mutex", name, NamedRendezvous::Mode::CreateOrOpen, file_mode_of(security));
        if (!rendezvous)
            return nullptr;
        existed = rendezvous->existed();
        mutex = std::make_shared<MutexObject>(std::move(rendezvous));
    }
    if (initial_owner && !existed)
        mutex->try_acquire();
    return created(std::move(mutex), existed);
}

HANDLE OpenMutex(DWORD, BOOL, LPCSTR name)
{
    auto rendezvous = open_rendezvous("mutex", name, NamedRendezvous::Mode::OpenExisting, 0600);
    if (!rendezvous)
        return nullptr;
    return add_handle(std::make_shared<MutexObject>(std::move(rendezvous)));
}

BOOL ReleaseMutex(HANDLE handle)
{
    auto mutex = find_handle_as<MutexObject>(handle);
    if (!mutex) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!mutex->release()) {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    return TRUE;
}

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES security, BOOL manual_reset, BOOL initial_state, LPCSTR name)
{
    if (!name)
        return created(std::make_shared<EventObject>(manual_reset != FALSE, initial_state != FALSE), false);
    auto rendezvous = open_rendezvous("event", name, NamedRendezvous::Mode::CreateOrOpen, file_mode_of(security));
    if (!rendezvous)
        return nullptr;
    bool existed = rendezvous->existed();
    auto event = std::make_shared<EventObject>(std::move(rendezvous), manual_reset != FALSE, initial_state != FALSE);
    if (!event->is_valid()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return created(std::move(event), existed);
}

HANDLE OpenEvent(DWORD, BOOL, LPCSTR name)
{
    auto rendezvous = open_rendezvous("event", name, NamedRendezvous::Mode::OpenExisting, 0600);
    if (!rendezvous)
        return nullptr;
    auto event = std::make_shared<EventObject>(std::move(rendezvous), false, false);
    if (!event->is_valid()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return add_handle(std::move(event));
}

BOOL SetEvent(HANDLE handle)
{
    auto event = find_handle_as<EventObject>(handle);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    event->set();
    return TRUE;
}

BOOL ResetEvent(HANDLE handle)
{
    auto event = find_handle_as<EventObject>(handle);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    event->reset();
    return TRUE;
}

BOOL ConvertStringSecurityDescriptorToSecurityDescriptor(LPCSTR text, DWORD revision,
    PSECURITY_DESCRIPTOR* descriptor, ULONG* size)
{
    if (!text || !descriptor || revision != SDDL_REVISION_1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto parsed = system::parse_security_descriptor(text);
    if (!parsed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    void* memory = LocalAlloc(LMEM_FIXED, sizeof(system::SecurityDescriptor));
    if (!memory) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    std::memcpy(memory, &*parsed, sizeof *parsed);
    *descriptor = memory;
    if (size)
        *size = sizeof(system::SecurityDescriptor);
    return TRUE;
}

// Memory handles are the blocks themselves: nothing moves, so locking answers the block.
HGLOBAL GlobalAlloc(UINT flags, size_t bytes)
{
    return LocalAlloc(flags, bytes);
}

LPVOID GlobalLock(HGLOBAL memory)
{
    return memory;
}

BOOL GlobalUnlock(HGLOBAL memory)
{
    return memory ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL memory)
{
    return LocalFree(memory);
}

HLOCAL LocalAlloc(UINT flags, size_t bytes)
{
    void* memory = (flags & LMEM_ZEROINIT) ? std::calloc(1, bytes ? bytes : 1) : std::malloc(bytes ? bytes : 1);
    if (!memory)
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return memory;
}

HLOCAL LocalFree(HLOCAL memory)
{
    std::free(memory);
    return nullptr;
}

}
