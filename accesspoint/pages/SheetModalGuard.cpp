#include "accesspoint/pages/SheetModalGuard.h"

namespace hotvane {

namespace {

int g_modal_count = 0;

}

CSheetModalGuard::CSheetModalGuard() { ++g_modal_count; }

CSheetModalGuard::~CSheetModalGuard() { --g_modal_count; }

int CSheetModalGuard::count() { return g_modal_count; }

}
