// The rendezvous file of a named object in the user's runtime folder. Every open handle holds
// a shared lock on the file; the object exists while anybody holds one, so it vanishes when
// its last process closes it or dies, as named objects do. Creation and opening are decided
// under one guard lock, so two processes never both believe they created an object.
#pragma once

#include <string>
#include <string_view>

namespace platform::system {

class NamedRendezvous {
public:
    enum class Mode { CreateOrOpen, OpenExisting };

    // kind: "mutex", "event"; name: the object's name as the program gives it.
    NamedRendezvous(std::string_view kind, std::string_view name, Mode mode, unsigned file_mode = 0600);
    ~NamedRendezvous();
    NamedRendezvous(NamedRendezvous const&) = delete;
    NamedRendezvous& operator=(NamedRendezvous const&) = delete;

    bool is_open() const { return m_fd >= 0; }
    // True when the object existed before this open (another handle, in any process, held it).
    bool existed() const { return m_existed; }
    int fd() const { return m_fd; }
    std::string const& path() const { return m_path; }

    // A name made safe as a file name: letters, digits, '-', '_' and '.' stay, other bytes
    // become %XX. "Global\" and "Local\" prefixes name the same objects: the user's session is
    // the only scope here.
    static std::string file_name_for(std::string_view kind, std::string_view name);

private:
    int m_fd { -1 };
    bool m_existed { false };
    std::string m_path;
};

}
