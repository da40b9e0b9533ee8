#include "app/application_setup.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/desktop_folder.h"
#include "app/tquorvan.h"
#include "link/protocol_trace.h"

#ifndef VELTRANO_HELP_FROM_BIN
#define VELTRANO_HELP_FROM_BIN "../share/veltrano/Veltrano.hlp"
#endif

namespace veltrano {

namespace {

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// An error box shown from the event loop; callable from any thread. Nothing
// happens when the window is gone by then.
void ShowErrorLater(TQuorvan& window, const std::string& text) {
    QMetaObject::invokeMethod(
        &window,
        [target = QPointer<TQuorvan>(&window), text = QString::fromStdString(text)] {
            if (target) target->Guarded([&] { target->Dialogs().ShowError(text); });
        },
        Qt::QueuedConnection);
}

}  // namespace

bool PrepareApplication(QApplication& app) {
    QApplication::setApplicationName("Veltrano");
    QApplication::setWindowIcon(QIcon(":/veltrano/veltrano.svg"));
    // The user interface is German whatever the desktop's language is, so
    // Qt's own texts follow it rather than the system locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(&app);
    if (!translator->load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

std::vector<std::string> ProgramArguments() {
    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) {
        arguments.push_back(QFile::encodeName(all[i]).toStdString());
    }
    return arguments;
}

std::string EnterDesktopFolder() {
    const std::filesystem::path bin =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    const DesktopFolder desktop =
        PrepareDesktopFolder({Environment("XDG_DATA_HOME"), Environment("HOME"),
                              InstalledHelpFile(bin, VELTRANO_HELP_FROM_BIN)});
    if (desktop.folder.empty()) return desktop.problem;
    std::error_code ec;
    std::filesystem::current_path(desktop.folder, ec);
    if (ec) {
        return "Der Arbeitsordner " + desktop.folder.string() +
               " kann nicht geöffnet werden.\nDas Programm arbeitet im aktuellen Ordner.";
    }
    return desktop.problem;
}

void AttachTrace(TQuorvan& window, const std::string& path) {
    auto trace = std::make_shared<ProtocolTrace>(
        path, [&window](const std::string& text) { ShowErrorLater(window, text); });
    if (trace->Error()) return;
    window.Comm1().SetTrace(std::move(trace));
}

void ReportStartProblems(TQuorvan& window, const std::vector<std::string>& problems) {
    std::string text;
    for (const auto& problem : problems) {
        if (!text.empty()) text += "\n\n";
        text += problem;
    }
    if (!text.empty()) ShowErrorLater(window, text);
}

StartOptions TakeStartOptions() {
    StartOptions options = ParseStartOptions(ProgramArguments(), std::getenv("VELTRANO_TRACE"));
    if (!options.desktop) return options;
    std::error_code ec;
    if (options.tracePath) {
        const auto absolute = std::filesystem::absolute(*options.tracePath, ec);
        if (!ec) options.tracePath = absolute.string();
    }
    if (auto problem = EnterDesktopFolder(); !problem.empty()) {
        options.problems.push_back(std::move(problem));
    }
    return options;
}

void ApplyStartOptions(TQuorvan& window, const StartOptions& options) {
    if (options.tracePath) AttachTrace(window, *options.tracePath);
    ReportStartProblems(window, options.problems);
}

}  // namespace veltrano
