#include "station/core/HideDlgServices.h"

namespace {

HideDlgServices g_none;
HideDlgServices* g_services = &g_none;

}

HideDlgServices& hide_dlg_services()
{
    return *g_services;
}

void set_hide_dlg_services(HideDlgServices* services)
{
    g_services = services ? services : &g_none;
}
