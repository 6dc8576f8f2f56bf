// The property sheet's modal guard: a count raised around every message box and modal dialog
// that a page, or a dialog a page opens, runs. While it is raised the sheet keeps its pages
// (the block acknowledgement page is not removed under its own dialog), and the hidden dialog
// does not destroy the sheet, whose nested loop is still running. User-interface thread only.
#pragma once

namespace hotvane {

class CSheetModalGuard {
public:
    CSheetModalGuard();
    ~CSheetModalGuard();
    CSheetModalGuard(CSheetModalGuard const&) = delete;
    CSheetModalGuard& operator=(CSheetModalGuard const&) = delete;

    // How many guards are up now; 0 when no page runs a modal loop.
    static int count();
    // Called each time the last guard drops (the hidden dialog runs then what waited for it);
    // null for none.
    static void set_release_hook(void (*hook)());
};

}
