#include "accesspoint/pages/SheetModalGuard.h"

namespace hotvane {

namespace {

int g_modal_count = 0;
void (*g_release_hook)() = nullptr;

}

CSheetModalGuard::CSheetModalGuard() { ++g_modal_count; }

CSheetModalGuard::~CSheetModalGuard()
{
    if (--g_modal_count == 0 && g_release_hook)
        g_release_hook();
}

int CSheetModalGuard::count() { return g_modal_count; }

void CSheetModalGuard::set_release_hook(void (*hook)()) { g_release_hook = hook; }

}
