// The maps from window handles to framework objects: permanent entries for windows an object
// created or subclassed, temporary objects for the others. Safe to read from any thread.
#pragma once

#include "platform/user/Types.h"

class CWnd;

namespace platform::framework {

CWnd* permanent_object(HWND hwnd);
void add_permanent(HWND hwnd, CWnd* object);
void remove_permanent(HWND hwnd);
CWnd* temporary_object(HWND hwnd);
void delete_temporary_objects();
// The temporary wrappers of device contexts and drawing objects (CDC::FromHandle,
// CGdiObject::FromHandle and its kinds), freed with the windows' at idle time.
void delete_temporary_dcs();
void delete_temporary_gdi_objects();

// The object whose Create or CreateEx is running on this thread: the framework's window
// procedure binds it to the first unknown window it sees.
CWnd*& creating_object();

}
