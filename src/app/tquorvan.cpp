#include "app/tquorvan.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMetaObject>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>

#include "app/status_panel.h"
#include "app/user_dialogs.h"
#include "help/help_viewer.h"
#include "link/block_decoders.h"
#include "link/frame_extractor.h"
#include "masks/client_font.h"
#include "masks/heating_sheet.h"
#include "masks/logbook_sheet.h"
#include "masks/manual_sheet.h"
#include "masks/parameter_sheet.h"
#include "masks/shading_sheet.h"
#include "masks/switch_time_editor.h"
#include "masks/switch_time_help_buttons.h"
#include "masks/temperature_sheet.h"
#include "masks/wind_rain_sheet.h"

namespace veltrano {
namespace {

struct PanelLayout {
    int width;
    bool centred;
};
// Widths in pixels and alignment of the 14 status panels.
constexpr std::array<PanelLayout, TQuorvan::kPanelCount> kPanels = {{{100, true},
                                                                     {50, true},
                                                                     {60, true},
                                                                     {60, true},
                                                                     {0, false},
                                                                     {80, false},
                                                                     {185, true},
                                                                     {70, true},
                                                                     {60, true},
                                                                     {65, true},
                                                                     {65, true},
                                                                     {50, false},
                                                                     {50, false},
                                                                     {50, false}}};

struct SheetCaption {
    const char* name;
    const char* caption;
};
constexpr int kParameterSheet = 7;
constexpr std::array<SheetCaption, 8> kSheets = {
    {{"Schaltzeit_Maske", "Schaltzeiten"},
     {"Beschattung_Maske", "Beschattung, Dämmerung"},
     {"Wind_Regen_Maske", "Wind-, Regen-, Feuchte"},
     {"Wintergarten_Maske", "Temperatur-Steuerung"},
     {"Heizung_Maske", "Heizung"},
     {"Handsteuerung_Maske", "Hand-, Tast-, Reversier-Automatik"},
     {"Alarm_Logbuch_Maske", "Logbuch"},
     {"Parameter", " Parameter"}}};

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

}  // namespace

TQuorvan::TQuorvan(std::unique_ptr<UserDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtUserDialogs>(this)),
      receiver_(state_, hooks_) {
    setObjectName("Quorvan");
    setWindowTitle("Veltrano-V7.15.01");
    setFont(ClientFont());
    setFixedSize(823, 590);

    auto* central = new QWidget(this);
    central->setObjectName("ClientArea");
    setCentralWidget(central);
    BuildHeader(central);
    BuildPages(central);
    BuildStatusBar();
    BuildDialogs();
    switchTimes_ = std::make_unique<SwitchTimeEditor>(
        pages_->widget(0), model_, state_, hooks_, [this] { ShowFreeSwitchTimeMemoryFigure(); },
        [this](const std::function<void()>& fn) { Guarded(fn); });
    PlaceSwitchTimeSheetHelpButtons(pages_->widget(0));
    logbookSheet_ = std::make_unique<LogbookSheet>(findChild<QWidget*>("Alarm_Logbuch_Maske"));
    shadingSheet_ = std::make_unique<ShadingSheet>(
        pages_->findChild<QWidget*>("Beschattung_Maske"), model_, state_,
        [this](const std::function<void()>& fn) { Guarded(fn); });
    heatingSheet_ =
        std::make_unique<HeatingSheet>(pages_->findChild<QWidget*>("Heizung_Maske"), model_, state_,
                                       [this](const std::function<void()>& fn) { Guarded(fn); });
    // Manual drive writes through the port, once it exists.
    manualSheet_ = std::make_unique<ManualSheet>(
        pages_->findChild<QWidget*>("Handsteuerung_Maske"), model_, state_,
        [this](std::string_view text) { return comm1_ && comm1_->WriteText(text); },
        [this](const std::function<void()>& fn) { Guarded(fn); });
    windRainSheet_ = std::make_unique<WindRainSheet>(
        pages_->findChild<QWidget*>("Wind_Regen_Maske"), model_, state_,
        [this](const std::function<void()>& fn) { Guarded(fn); },
        [this](std::string_view bytes) { comm1_->WriteText(bytes); });
    temperatureSheet_ = std::make_unique<TemperatureSheet>(
        pages_->findChild<QWidget*>("Wintergarten_Maske"), model_, state_,
        [this](const std::function<void()>& fn) { Guarded(fn); });

    timer1_ = MakeGuardedTimer("Timer1", 900, [this] { Timer1Timer(); });
    timer3_ = MakeGuardedTimer("Timer3", kLinkCheckIntervalMs, [this] { Timer3Timer(); });
    reconnectTimer_ = MakeGuardedTimer("ReconnectTimer", 1000, [this] { ReconnectTimerTick(); });
    parameters_ =
        std::make_unique<ParameterSheet>(pages_->widget(kParameterSheet), model_, state_, timer1_,
                                         [this](const std::function<void()>& fn) { Guarded(fn); });

    // Port events reach this window on the user-interface thread as queued calls.
    comm1_ = std::make_unique<TCommPort>([this](std::function<void()> task) {
        QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
    });
    // Characters arriving at the line's pace go to the receive handler a
    // frame at a time, not one by one.
    comm1_->SetReceiveBatching(CompletesAFrame, std::chrono::milliseconds(20));
    ApplyReceivePace();
    comm1_->OnRxChar = [this](int count) { Guarded([&] { Comm1RxChar(count); }); };
    comm1_->OnError = [this](unsigned errors) { Guarded([&] { Comm1Error(errors); }); };
    comm1_->OnHandlerException = [this](const std::string& text) {
        ShowException(QString::fromStdString(text));
    };
    ConnectHooks();
    RegisterBlockDecoders(receiver_, model_, state_, hooks_, readAll_);
    SetUpReadAll();
    SetUpSendAll();
    SetUpLogbook();
    // After every sheet: the "?" buttons that exist now show their topics.
    ConnectHelpButtons();
}

TQuorvan::~TQuorvan() {
    // The port's threads must stop before the state they report into goes.
    comm1_.reset();
}

void TQuorvan::BuildHeader(QWidget* central) {
    auto* brand = MakeLabel(central, "Label9", "Quorvan", QRect(8, 0, 330, 70));
    brand->setFont(QFont("Arial", 1, QFont::Bold));
    brand->setStyleSheet("color: #ff00ff; font-size: 56px; font-weight: bold;");

    const char* familyNames[] = {"Label10", "Label11", "Label12"};
    const char* familyCaptions[] = {"Rollladensteuerungen", "Wintergartensteuerungen",
                                    "Sonnenschutzsteuerungen"};
    for (int i = 0; i < 3; ++i) {
        auto* label =
            MakeLabel(central, familyNames[i], familyCaptions[i], QRect(560, 2 + i * 18, 233, 18));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setStyleSheet(
            "color: grey; font-family: Arial; font-size: 15px; font-weight: bold;");
    }

    urlLabel_ =
        MakeLabel(central, "URL_Label", "www.quorvan.de/rollladen", QRect(560, 56, 233, 14));
    urlLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    urlLabel_->setStyleSheet("color: #ff00ff; font-family: Arial; font-size: 11px;");

    keineVerbindung_ =
        MakeLabel(central, "KeineVerbindung_Label", kNoConnection, QRect(400, 10, 120, 40));
    keineVerbindung_->setAlignment(Qt::AlignCenter);
    keineVerbindung_->setWordWrap(true);
    keineVerbindung_->setStyleSheet(
        "color: red; background: yellow; font-family: Arial; font-size: 13px; font-weight: bold;");

    struct ShapeSpec {
        const char* name;
        const char* colour;
        QRect geometry;
    };
    const ShapeSpec shapes[] = {{"Dot", "red", QRect(345, 20, 9, 9)},
                                {"Shape1", "blue", QRect(356, 20, 9, 9)},
                                {"Shape2", "yellow", QRect(345, 31, 9, 9)},
                                {"Shape3", "yellow", QRect(356, 31, 9, 9)},
                                {"Shape4", "blue", QRect(367, 31, 9, 9)}};
    for (const ShapeSpec& s : shapes) {
        auto* shape = MakeLabel(central, s.name, QString(), s.geometry);
        if (std::string_view(s.name) != "Dot")
            shape->setStyleSheet(QString("background: %1;").arg(s.colour));
        if (std::string_view(s.name) == "Dot") dot_ = shape;
    }
    ShowDot(true);

    speicherplatz_ = MakeLabel(central, "Speicherplatz_Label",
                               " !!!  Schaltzeiten-Speicher nicht ausreichend  !!!  "
                               "---------------------   !!!  Schaltzeiten-Speicher nicht "
                               "ausreichend  !!!",
                               QRect(8, 56, 540, 14));
    speicherplatz_->setStyleSheet("color: red; font-weight: bold;");
    speicherplatz_->hide();

    help_ = std::make_unique<HelpViewer>(
        central, *dialogs_, [this] { return ProgramFolder() + "/Veltrano.hlp"; },
        [this](const std::function<void()>& fn) { Guarded(fn); });
    helpBox_ = help_->Box();
}

void TQuorvan::BuildPages(QWidget* central) {
    pages_ = new QTabWidget(central);
    pages_->setObjectName("Parameter_Maske");
    pages_->setGeometry(8, 72, 793, 457);
    pages_->setTabPosition(QTabWidget::South);
    // The eight captions fit the page control side by side with a narrow
    // padding; no scroll arrows, nothing elided.
    pages_->tabBar()->setStyleSheet("QTabBar::tab { padding: 2px 4px; }");
    pages_->tabBar()->setElideMode(Qt::ElideNone);
    for (const SheetCaption& caption : kSheets) {
        auto* sheet = new QWidget;
        sheet->setObjectName(caption.name);
        pages_->addTab(sheet, caption.caption);
    }
    BuildSheetOneShell(pages_->widget(0));
    connect(pages_, &QTabWidget::currentChanged, this,
            [this] { Guarded([this] { Parameter_MaskeChange(); }); });
    helpBox_->raise();
}

void TQuorvan::BuildSheetOneShell(QWidget* sheet) {
    // The three groups stand in a column at x >= 640 and end at y = 178, so
    // the switching-time lists below them get the rest of the sheet.
    label21_ = MakeLabel(sheet, "Label21", QString(), QRect(640, 0, 145, 13));
    label21_->setStyleSheet("color: red;");

    auto* port = new QGroupBox("Port", sheet);
    port->setObjectName("GroupBox_Port");
    port->setGeometry(640, 12, 145, 44);
    portCombo_ = new QComboBox(port);
    portCombo_->setObjectName("Combo_PortNum");
    for (int n = 1; n <= 8; ++n)
        portCombo_->addItem(QString("COM %1").arg(n));
    portCombo_->setToolTip("Serielle Schnittstelle");
    portCombo_->setGeometry(8, 17, 66, 21);
    connect(portCombo_, &QComboBox::activated, this,
            [this] { Guarded([this] { Combo_PortNumChange(); }); });
    progressBar_ = new QProgressBar(port);
    progressBar_->setObjectName("ProgressBar");
    progressBar_->setTextVisible(false);
    progressBar_->setGeometry(80, 22, 57, 12);
    progressBar_->hide();

    auto* exchange = new QGroupBox("Datenaustausch", sheet);
    exchange->setObjectName("GroupBox_Datenaustausch");
    exchange->setGeometry(640, 58, 145, 60);
    // Two pairs at the same place; the family decides which pair remains.
    const char* readAll[] = {"Send_Button_WS", "Send_Button_RS"};
    const char* sendAll[] = {"Read_Button_WS", "Read_Button_RS"};
    for (const char* name : readAll) {
        auto* b = MakeButton(exchange, name, "Steuerung --> PC", QRect(8, 16, 110, 20));
        connect(b, &QPushButton::clicked, this,
                [this] { Guarded([this] { Read_ButtonClick(); }); });
    }
    for (const char* name : sendAll) {
        auto* b = MakeButton(exchange, name, "PC --> Steuerung", QRect(8, 37, 110, 20));
        connect(b, &QPushButton::clicked, this,
                [this] { Guarded([this] { Send_ButtonClick(); }); });
    }

    auto* disk = new QGroupBox("Sicherung auf Datenträger", sheet);
    disk->setObjectName("GroupBox_Sicherung");
    disk->setGeometry(640, 118, 145, 60);
    auto* load = MakeButton(disk, "Read_From_Disk", " Lesen von File     ", QRect(8, 16, 110, 20));
    connect(load, &QPushButton::clicked, this,
            [this] { Guarded([this] { Read_From_DiskClick(); }); });
    auto* save =
        MakeButton(disk, "SaveToDisk_Button", " Speichern auf File", QRect(8, 37, 110, 20));
    save->setToolTip("Schaltzeiten sowie alle anderen Einstellungen auf Festplatte schreiben");
    connect(save, &QPushButton::clicked, this,
            [this] { Guarded([this] { SaveToDisk_ButtonClick(); }); });
}

void TQuorvan::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    // Panels of fixed width side by side, as many as fit; the last ones run
    // past the window's edge rather than squeezing the others.
    auto* strip = new QWidget(bar);
    strip->setObjectName("StatusPanels");
    strip->setMinimumWidth(0);
    strip->setFixedHeight(18);
    // The panels' widths were laid out for a small sans-serif font.
    QFont panelFont = font();
    panelFont.setPixelSize(10);
    strip->setFont(panelFont);
    bar->addWidget(strip, 1);
    int x = 0;
    for (int n = 0; n < kPanelCount; ++n) {
        // Panels 5 (transfer errors) and 13 (the last frame) can get texts
        // longer than they are wide: those show whole as a tooltip.
        auto* panel = new StatusPanel(n, n == 5 || n == 13, strip);
        panel->setGeometry(x, 0, kPanels[n].width, 18);
        panel->setAlignment((kPanels[n].centred ? Qt::AlignHCenter : Qt::AlignLeft) |
                            Qt::AlignVCenter);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        if (kPanels[n].width == 0) panel->hide();
        x += kPanels[n].width + 2;
        panels_[n] = panel;
    }
    panels_[0]->SetPanelText(kNoConnection);
}

void TQuorvan::BuildDialogs() {
    const char* names[] = {"SaveDialog1", "OpenDialog1", "SaveDialog_Logbuch"};
    for (const char* name : names) {
        auto* dialog = new QFileDialog(this);
        dialog->setObjectName(name);
        dialog->setOption(QFileDialog::DontUseNativeDialog, false);
    }
}

void TQuorvan::ConnectHooks() {
    hooks_.SetPanelText = [this](int panel, const std::string& text) {
        SetPanelText(panel, QString::fromStdString(text));
    };
    hooks_.PanelText = [this](int panel) { return PanelText(panel).toStdString(); };
    hooks_.ShowSensorTexts = [this](const SensorTexts& texts) { ShowSensorTexts(texts); };
    hooks_.SetProgressPosition = [this](int position) { progressBar_->setValue(position); };
    hooks_.SetMemoryWarningVisible = [this](bool insufficient) {
        speicherplatz_->setVisible(insufficient);
    };
    switchTimes_->ConnectHooks(hooks_);
    parameters_->ConnectHooks(hooks_);
    shadingSheet_->ConnectHooks(hooks_);
    windRainSheet_->ConnectHooks(hooks_);
    temperatureSheet_->ConnectHooks(hooks_);
    heatingSheet_->ConnectHooks(hooks_);
    manualSheet_->ConnectHooks(hooks_);
}

void TQuorvan::SetPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < kPanelCount) panels_[panel]->SetPanelText(text);
}

QString TQuorvan::PanelText(int panel) const {
    return panel >= 0 && panel < kPanelCount ? panels_[panel]->PanelText() : QString();
}

void TQuorvan::SetControlVisible(const char* name, bool visible) {
    if (auto* w = findChild<QWidget*>(name)) w->setVisible(visible);
}

void TQuorvan::SetControlEnabled(const char* name, bool enabled) {
    if (auto* w = findChild<QWidget*>(name)) w->setEnabled(enabled);
}

void TQuorvan::SetControlWidth(const char* name, int width) {
    if (auto* w = findChild<QWidget*>(name)) w->resize(width, w->height());
}

void TQuorvan::ShowDot(bool red) {
    // Two drawings made once: the dot changes every polling tick, and a
    // style sheet would be parsed and applied each time.
    static const auto draw = [](bool square, const QColor& colour) {
        QPixmap pixmap(9, 9);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        if (square)
            painter.drawRect(0, 0, 9, 9);
        else
            painter.drawEllipse(0, 0, 9, 9);
        return pixmap;
    };
    if (dotPixmaps_[0].isNull()) {
        dotPixmaps_[0] = draw(true, Qt::red);
        dotPixmaps_[1] = draw(false, QColor(0xff, 0x00, 0xff));
    }
    dot_->setPixmap(dotPixmaps_[red ? 0 : 1]);
}

void TQuorvan::ShowFreeSwitchTimeMemoryFigure() {
    const FreeMemoryFigure memory = model_.FreeSwitchTimeMemory();
    SetPanelText(6, QString::fromStdString(memory.panelText));
    speicherplatz_->setVisible(memory.insufficient);
}

void TQuorvan::BeginTransferControls(std::optional<int> progressMaximum) {
    for (const char* name :
         {"Send_Button_WS", "Read_Button_WS", "Send_Button_RS", "Read_Button_RS"})
        SetControlEnabled(name, false);
    pages_->setEnabled(false);
    portCombo_->setEnabled(false);
    if (!progressMaximum) return;
    progressBar_->setMaximum(*progressMaximum);
    progressBar_->setValue(0);
    progressBar_->show();
}

void TQuorvan::EndTransferControls() {
    progressBar_->hide();
    timer1_->start();
    timer3_->start();
    ShowFamilyButtonPair();
    pages_->setEnabled(true);
    portCombo_->setEnabled(true);
}

QTimer* TQuorvan::MakeGuardedTimer(const char* name, int intervalMs, std::function<void()> tick) {
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    connect(timer, &QTimer::timeout, this, [this, tick = std::move(tick)] { Guarded(tick); });
    return timer;
}

void TQuorvan::ShowFamilyButtonPair() {
    const bool ws = state_.Identity.ConservatoryFamily;
    for (const char* name : {"Send_Button_WS", "Read_Button_WS"}) {
        SetControlVisible(name, ws);
        SetControlEnabled(name, ws);
    }
    for (const char* name : {"Send_Button_RS", "Read_Button_RS"}) {
        SetControlVisible(name, !ws);
        SetControlEnabled(name, !ws);
    }
}

void TQuorvan::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!startupDone_) {
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void TQuorvan::Parameter_MaskeChange() {
    help_->Hide();
}

void TQuorvan::ConnectHelpButtons() {
    help_->ConnectButtons(this);
}

void TQuorvan::Guarded(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const ECommError& e) {
        QString text = QString::fromStdString(e.what());
        if (!e.hint().empty()) text += "\n\n" + QString::fromStdString(e.hint());
        ShowException(text);
    } catch (const std::exception& e) {
        ShowException(QString::fromStdString(e.what()));
    } catch (...) {
        ShowException("Unbekannter Fehler");
    }
}

void TQuorvan::ShowErrorLater(const QString& text) {
    QMetaObject::invokeMethod(
        this, [this, text] { dialogs_->ShowError(text); }, Qt::QueuedConnection);
}

void TQuorvan::ShowInformationLater(const QString& text) {
    QMetaObject::invokeMethod(
        this, [this, text] { dialogs_->ShowInformation(text); }, Qt::QueuedConnection);
}

void TQuorvan::ShowException(const QString& text) {
    // Timers keep firing while a modal box is open: never stack boxes.
    if (showingError_) return;
    showingError_ = true;
    dialogs_->ShowError(text);
    showingError_ = false;
}

}  // namespace veltrano
