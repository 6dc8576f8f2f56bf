// [SECTION] index: adapters, sockets, domain controllers, files.
#include "platform/system/Network.h"

#include "platform/system/MachineInterfaces.h"
#include "platform/system/Paths.h"
#include "platform/system/TextSplit.h"
#include "platform/user/KernelObject.h"
#include "platform/user/User.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {

// [SECTION] Adapters

struct Adapter {
    std::string name;
    std::string description;
    std::vector<BYTE> mac;
    std::string ipv4 { "0.0.0.0" };
    std::string mask { "0.0.0.0" };
};

struct Published {
    std::mutex mutex;
    std::vector<Adapter> adapters;
};

Published& published()
{
    // Never destroyed: a library that publishes its adapter withdraws it when it is torn down,
    // which at the process's end may come after this table's own end.
    static Published* const p = new Published;
    return *p;
}

std::vector<Adapter> machine_adapters()
{
    std::vector<Adapter> out;
    for (auto const& i : platform::system::machine_interfaces())
        out.push_back({ i.name, i.name, std::vector<BYTE>(i.mac.begin(), i.mac.end()), i.ipv4, i.mask });
    return out;
}

std::vector<Adapter> all_adapters()
{
    std::vector<Adapter> out = machine_adapters();
    std::lock_guard lock(published().mutex);
    out.insert(out.end(), published().adapters.begin(), published().adapters.end());
    return out;
}

template<std::size_t N>
void put_text(char (&field)[N], std::string const& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

// [SECTION] Domain controllers

struct Controller {
    std::string domain;
    std::string name;
    bool refuses { false };
};

std::string domain_table_path() { return platform::system::data_dir() + "/domains.txt"; }

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// One controller a line: domain, controller name and "refuses" or "answers", tab-separated.
std::vector<Controller> read_controllers()
{
    std::string text;
    if (!platform::system::read_whole_file(domain_table_path(), text))
        return {};
    std::vector<Controller> out;
    platform::system::LineReader lines(text);
    for (std::string_view line; lines.next(line);) {
        // The domain, the name, and the rest of the line.
        auto const first = line.find('\t');
        auto const second = first == std::string_view::npos ? first : line.find('\t', first + 1);
        if (second == std::string_view::npos || second + 1 >= line.size())
            continue;
        out.push_back({ std::string(line.substr(0, first)), std::string(line.substr(first + 1, second - first - 1)),
            line.substr(second + 1) == "refuses" });
    }
    return out;
}

std::mutex& domain_mutex()
{
    static std::mutex m;
    return m;
}

std::string bare_name(std::string const& name)
{
    std::size_t const start = name.find_first_not_of('\\');
    return start == std::string::npos ? std::string() : name.substr(start);
}

char* copy_out(std::string const& text, char*& cursor)
{
    char* const start = cursor;
    std::memcpy(cursor, text.c_str(), text.size() + 1);
    cursor += text.size() + 1;
    return start;
}

// [SECTION] Files

class FileObject final : public platform::KernelObject {
public:
    explicit FileObject(int fd)
        : m_fd(fd)
    {
    }
    ~FileObject() override { ::close(m_fd); }
    char const* type_name() const override { return "file"; }
    bool is_signalled() const override { return true; }

private:
    int m_fd;
};

HANDLE unc_answer(std::string const& path)
{
    std::string const host = lower(path.substr(2, path.find('\\', 2) == std::string::npos ? std::string::npos : path.find('\\', 2) - 2));
    DWORD error = ERROR_BAD_NETPATH;
    std::lock_guard lock(domain_mutex());
    for (Controller const& c : read_controllers()) {
        if (lower(bare_name(c.name)) == host)
            error = c.refuses ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
    }
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}


}

extern "C" {

DWORD GetAdaptersInfo(IP_ADAPTER_INFO* info, ULONG* size)
{
    if (!size)
        return ERROR_INVALID_PARAMETER;
    std::vector<Adapter> const adapters = all_adapters();
    if (adapters.empty())
        return ERROR_NO_DATA;
    ULONG const needed = ULONG(adapters.size() * sizeof(IP_ADAPTER_INFO));
    if (!info || *size < needed) {
        *size = needed;
        return ERROR_BUFFER_OVERFLOW;
    }
    std::memset(info, 0, needed);
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        IP_ADAPTER_INFO& out = info[i];
        Adapter const& a = adapters[i];
        out.Next = i + 1 < adapters.size() ? &info[i + 1] : nullptr;
        out.ComboIndex = DWORD(i + 1);
        out.Index = DWORD(i + 1);
        put_text(out.AdapterName, a.name);
        put_text(out.Description, a.description);
        out.AddressLength = UINT(std::min<std::size_t>(a.mac.size(), MAX_ADAPTER_ADDRESS_LENGTH));
        std::memcpy(out.Address, a.mac.data(), out.AddressLength);
        out.Type = 71;
        put_text(out.IpAddressList.IpAddress.String, a.ipv4);
        put_text(out.IpAddressList.IpMask.String, a.mask);
        put_text(out.GatewayList.IpAddress.String, "0.0.0.0");
        put_text(out.GatewayList.IpMask.String, "0.0.0.0");
    }
    return ERROR_SUCCESS;
}

int WSAStartup(WORD version, WSADATA* data)
{
    if ((version & 0xFF) < 2)
        return WSAVERNOTSUPPORTED;
    if (data) {
        std::memset(data, 0, sizeof *data);
        data->wVersion = 0x0202;
        data->wHighVersion = 0x0202;
        put_text(data->szDescription, "Sockets of the machine");
        put_text(data->szSystemStatus, "Running");
    }
    return 0;
}

int WSACleanup() { return 0; }

int closesocket(SOCKET s) { return ::close(int(s)) == 0 ? 0 : SOCKET_ERROR; }

DWORD DsGetDcNameA(char const*, char const* domain, void const*, char const*, ULONG, DOMAIN_CONTROLLER_INFOA** info)
{
    if (!info || !domain)
        return ERROR_INVALID_PARAMETER;
    *info = nullptr;
    Controller found;
    {
        std::lock_guard lock(domain_mutex());
        for (Controller const& c : read_controllers()) {
            if (lower(c.domain) == lower(domain))
                found = c;
        }
    }
    if (found.name.empty())
        return ERROR_NO_SUCH_DOMAIN;
    std::string const name = "\\\\" + bare_name(found.name);
    std::size_t const bytes = sizeof(DOMAIN_CONTROLLER_INFOA) + name.size() + found.domain.size() + 2;
    auto* block = static_cast<DOMAIN_CONTROLLER_INFOA*>(std::calloc(1, bytes));
    if (!block)
        return ERROR_NOT_ENOUGH_MEMORY;
    char* cursor = reinterpret_cast<char*>(block + 1);
    block->DomainControllerName = copy_out(name, cursor);
    block->DomainName = copy_out(found.domain, cursor);
    *info = block;
    return ERROR_SUCCESS;
}

DWORD NetApiBufferFree(void* buffer)
{
    std::free(buffer);
    return ERROR_SUCCESS;
}

HANDLE CreateFileA(char const* path, DWORD access, DWORD, SECURITY_ATTRIBUTES*, DWORD disposition, DWORD, HANDLE)
{
    if (!path || access != GENERIC_READ || disposition != OPEN_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string const text = path;
    if (text.rfind("\\\\", 0) == 0)
        return unc_answer(text);
    int const fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetLastError(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    SetLastError(ERROR_SUCCESS);
    return platform::add_handle(std::make_shared<FileObject>(fd));
}

}

namespace platform::system {

void publish_adapter(std::string const& name, std::string const& description, BYTE const (&mac)[6], std::string const& ipv4)
{
    Adapter a;
    a.name = name;
    a.description = description;
    a.mac.assign(mac, mac + 6);
    a.ipv4 = ipv4.empty() ? "0.0.0.0" : ipv4;
    a.mask = ipv4.empty() ? "0.0.0.0" : "255.255.255.0";
    std::lock_guard lock(published().mutex);
    std::erase_if(published().adapters, [&](Adapter const& p) { return p.name == name; });
    published().adapters.push_back(std::move(a));
}

void withdraw_adapter(std::string const& name)
{
    std::lock_guard lock(published().mutex);
    std::erase_if(published().adapters, [&](Adapter const& p) { return p.name == name; });
}

void register_domain_controller(std::string const& domain, std::string const& controller, bool refuses)
{
    std::lock_guard lock(domain_mutex());
    std::vector<Controller> table = read_controllers();
    auto const format = [](std::vector<Controller> const& controllers) {
        std::string text;
        for (Controller const& c : controllers)
            text += c.domain + "\t" + c.name + "\t" + (c.refuses ? "refuses" : "answers") + "\n";
        return text;
    };
    std::string const before = format(table);
    std::erase_if(table, [&](Controller const& c) { return lower(c.domain) == lower(domain); });
    table.push_back({ domain, bare_name(controller), refuses });
    std::string const text = format(table);
    // Every start of a world registers its controller again: an unchanged table is not
    // rewritten (each write waits for the disk).
    if (text == before)
        return;
    write_file_atomically(domain_table_path(), text, 0600);
}

}
