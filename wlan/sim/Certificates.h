// The machine's certificate stores: the scenario's [cert:<id>] sections, changed by what
// wlansim's cert-add and cert-remove keep in the store ("certs.ini", sections of the same
// form, a removed certificate as "removed = 1"). Every reader (the library's store listings,
// the 802.1X checks of the world, wlansim list) sees the same stores through current_certs.
#pragma once

#include "wlan/sim/CertEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace wlan::sim {

class Store;
struct WorldSpec;

// Applies one "key = value" of a [cert:] section (store, issued_to, issued_by, expires,
// friendly, data, file); `file` is only recorded (resolve_cert_file reads it). Returns an
// error text, empty on success.
std::string set_cert_key(CertEntry& cert, std::string const& key, std::string const& value, bool& known);
// Makes the certificate's file a path of its own (relative to `folder` unless absolute) and
// checks that it can be read; the certificate itself is read when the stores are first listed
// (current_certs), so a world whose certificates nobody asks for never loads the X.509 reader.
// Returns an error text.
std::string locate_cert_file(CertEntry& cert, std::string const& folder);
// Locates the file and reads it at once into the certificate's texts and its data (the SHA-1
// thumbprint); keys given beside `file` keep their values. Returns an error text.
std::string resolve_cert_file(CertEntry& cert, std::string const& folder);
// The data of a certificate that gives none: 20 bytes derived from its id.
std::vector<std::uint8_t> default_cert_data(std::string const& id);
// The section text parse_scenario reads back into `cert` (its file already resolved).
std::string format_cert_section(CertEntry const& cert, bool removed = false);

// The stores as they are now: the world's certificates in their order, those added later after
// them, removed ones left out.
std::vector<CertEntry> current_certs(WorldSpec const& world, Store const* store);
std::optional<CertEntry> find_cert(WorldSpec const& world, Store const* store, std::string const& id);
// Keeps an added certificate (replacing one of the same id) or a removal in the store; the
// error text is empty on success.
std::string store_cert_added(Store& store, CertEntry const& cert);
std::string store_cert_removed(Store& store, WorldSpec const& world, std::string const& id);

}
