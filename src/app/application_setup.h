// What the application needs before its window is built: Qt's own German
// texts (file dialogs, context menus, standard buttons) and the window icon;
// and what the command line asks of it (see start_options.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/start_options.h"

class QApplication;

namespace veltrano {

class TQuorvan;

// Installs Qt's German translation and the application's window icon.
// False when the translation could not be loaded (the program goes on in
// Qt's English for its standard texts).
bool PrepareApplication(QApplication& app);

// The command-line arguments after the program's name, Qt's own removed,
// in the encoding of file names.
std::vector<std::string> ProgramArguments();

// Reads the command line and VELTRANO_TRACE; with --desktop enters the
// per-user folder (a trace file named relative to the folder the user
// started in stays there). Before the window is built: it takes its folder
// at start-up.
StartOptions TakeStartOptions();
// Attaches the trace and reports the problems of the options.
void ApplyStartOptions(TQuorvan& window, const StartOptions& options);

// --desktop: makes the per-user folder the working folder (created on first
// start, the installed help file linked there). A German text when that
// failed (the program goes on in the current folder), else empty.
std::string EnterDesktopFolder();

// Records the window's port traffic in the file. A file that cannot be
// opened or written is reported once, in an error box, and the program goes
// on without the trace.
void AttachTrace(TQuorvan& window, const std::string& path);

// Shows the texts in one error box once the window runs; nothing when empty.
void ReportStartProblems(TQuorvan& window, const std::vector<std::string>& problems);

}  // namespace veltrano
