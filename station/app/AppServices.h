// The application's answers to the pages' seam (HideDlgServices): the hidden dialog and its
// configuration window, reached through the one hidden dialog of the run.
#pragma once

namespace station::app {

// Installs the application's implementation of the seam; called once the program starts.
void install_app_services();

}
