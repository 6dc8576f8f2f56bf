// The window of the open and save dialogs: a modal pop-up over its owner holding the folder
// it shows, the list of sub-folders and files under the chosen filter, the name field, the
// filter choice, a status line, and OK and Cancel. Its children are the standard controls,
// created by class name, so this module needs the controls only at run time; when they are
// not there the dialog is not built and the caller reports CDERR_DIALOGFAILURE.
//
// Tests answer it through the window core's modal hook, which receives this window: they set
// the name field's text and send IDOK (or IDCANCEL), as a user would. A name that is a folder
// opens it; a file that must exist and does not, or one to be replaced after a prompt, is
// told on the status line and the dialog stays (sending IDOK again replaces the file).
#pragma once

#include "platform/system/FileDialog.h"

namespace platform::system {

// The control ids, as the original dialog numbered them.
constexpr int file_dialog_folder_id = 1088;
constexpr int file_dialog_status_id = 1089;
constexpr int file_dialog_list_id = 1120;
constexpr int file_dialog_type_id = 1136;
constexpr int file_dialog_name_id = 1152;

FileDialogAnswer run_file_dialog_window(FileDialogModel& model, FileDialogRequest const& request);

}
