// What the application needs before its window is built: Qt's own German
// texts (file dialogs, context menus, standard buttons) and the window icon.
#pragma once

class QApplication;

namespace veltrano {

// Installs Qt's German translation and the application's window icon.
// False when the translation could not be loaded (the program goes on in
// Qt's English for its standard texts).
bool PrepareApplication(QApplication& app);

}  // namespace veltrano
