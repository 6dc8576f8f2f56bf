// What the 802.1X tab's sub-tabs share: the frame they paint (the WAPI sub-tabs paint it too),
// the page font, the styles of their check boxes and radios, and the certificate lists of the
// client and server certificate tabs.
//
// A certificate list is one enumeration of a store: records the tab allocates and the library
// fills, whose data stays the library's until the list frees them. A chosen certificate is a
// copy the tab owns (its texts and at most 152 data bytes, what a profile blob can hold), so
// no choice ever points into an enumeration that a later one frees.
#pragma once

#include "platform/framework/Afx.h"
#include "wlan/api/Profile.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class CButtonST;

namespace station::profiles {

// Identity, password, domain and server name: the profile fields' 128 bytes with their end.
constexpr int kEapTextLimit = 127;
// PAC file names and paths: the PAC entry's 256 bytes with their end.
constexpr int kPacPathLimit = 255;

// The four 2-pixel etched edges of a sub-tab (its whole window rectangle).
void PaintSubTabFrame(CWnd& page, CDC& dc);
// The font of the sub-tabs: the string table's face and character set, 16 pixels.
void CreatePageFont(CFont& font);
// The check boxes (images 147/148) and radios (images 145/146) of the sub-tabs.
void StyleCheckButton(CButtonST& button);
void StyleRadioButton(CButtonST& button);
// Enables or shows a few controls of a dialog by id; missing ids are skipped.
void EnableItems(CWnd& dialog, std::initializer_list<int> ids, bool enable);
void ShowItems(CWnd& dialog, std::initializer_list<int> ids, bool show);
// `text` cut to at most `limit` bytes, never inside a UTF-8 character.
std::string CutText(std::string const& text, std::size_t limit);

// A chosen certificate: its record's texts and data, owned here; `record.Data` points into
// `data` (or is null when nothing is chosen).
struct CertChoice {
    CERT_RECORD record {};
    std::array<std::uint8_t, sizeof(KT_BLOB_KEY::BlobData)> data {};

    CertChoice() = default;
    CertChoice(CertChoice const& other) { *this = other; }
    CertChoice& operator=(CertChoice const& other);

    void clear();
    // Copies the texts and the data; data longer than a blob holds is not taken (the choice
    // stays empty: such a certificate cannot be stored in a profile).
    void take(CERT_RECORD const& from);
    bool empty() const { return record.DataLength == 0; }
    // The profile blob of this choice (length 0 when none).
    void to_blob(KT_BLOB_KEY& blob) const;
};

// True when the record holds exactly the blob's bytes.
bool SameCertData(CERT_RECORD const& record, KT_BLOB_KEY const& blob);

// One enumeration of a store ("MY" or "ROOT").
class CertList {
public:
    CertList() = default;
    CertList(CertList const&) = delete;
    CertList& operator=(CertList const&) = delete;
    ~CertList() { free(); }

    // Frees the last enumeration, then asks the count and fills no more records than it
    // allocated.
    void enumerate(char const* store);
    // Hands the data back to the library and empties the list.
    void free();

    std::vector<CERT_RECORD> const& records() const { return m_records; }
    int count() const { return int(m_records.size()); }

private:
    std::vector<CERT_RECORD> m_records;
};

}
