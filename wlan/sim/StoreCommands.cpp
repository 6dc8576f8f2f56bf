#include "wlan/sim/StoreCommands.h"

#include "wlan/sim/Certificates.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/SsoStore.h"
#include "wlan/sim/Store.h"

#include <cstdio>

namespace wlan::sim {

namespace {

std::string cert_add(Store& store, std::vector<std::string> const& words)
{
    if (words.size() < 3)
        return "'cert-add' takes an id and at least one key=value";
    CertEntry cert;
    cert.id = words[1];
    if (cert.id.size() > 64)
        return "an id has at most 64 characters";
    for (std::size_t i = 2; i < words.size(); ++i) {
        auto const eq = words[i].find('=');
        if (eq == std::string::npos || eq == 0)
            return "expected key=value, got '" + words[i] + "'";
        bool known = true;
        std::string const key = words[i].substr(0, eq);
        if (auto error = set_cert_key(cert, key, words[i].substr(eq + 1), known); !error.empty())
            return key + ": " + error;
        if (!known)
            return "unknown key '" + key + "'";
    }
    if (auto error = resolve_cert_file(cert, "."); !error.empty())
        return error;
    return store_cert_added(store, cert);
}

}

bool is_store_command(std::string const& name)
{
    return name == "cert-add" || name == "cert-remove" || name == "sso";
}

std::string run_store_command(Store& store, WorldSpec const& world, std::vector<std::string> const& words)
{
    if (words.empty())
        return "empty command";
    if (words[0] == "cert-add")
        return cert_add(store, words);
    if (words[0] == "cert-remove") {
        if (words.size() != 2)
            return "'cert-remove' takes the certificate's id";
        return store_cert_removed(store, world, words[1]);
    }
    if (words[0] == "sso") {
        if (words.size() != 2 || (words[1] != "on" && words[1] != "off"))
            return "'sso' takes on or off";
        if (!world.sso)
            return "single sign-on is not installed (world-set sso=1)";
        return set_sso_enabled(store, world, words[1] == "on") ? "" : "cannot write the store";
    }
    return "unknown command '" + words[0] + "'";
}

std::vector<std::string> store_command_usage()
{
    return {
        "cert-add <id> key=value ...   (store=MY|ROOT, issued_to, issued_by, expires=YYYY/MM/DD, friendly, data=hex, file=x.pem)",
        "cert-remove <id>",
        "sso on|off",
    };
}

std::string describe_store_state(Store const& store, WorldSpec const& world)
{
    std::string out;
    char line[1200];
    for (auto const& c : current_certs(world, &store)) {
        std::snprintf(line, sizeof line, "cert %-12s %-4s %s, issued by %s, expires %s%s%s\n", c.id.c_str(), c.store.c_str(),
            c.issued_to.c_str(), c.issued_by.c_str(), c.expires.c_str(), c.friendly.empty() ? "" : ", ", c.friendly.c_str());
        out += line;
    }
    return out + describe_sso(store, world) + "\n";
}

}
