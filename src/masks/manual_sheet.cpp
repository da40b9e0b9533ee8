// The layout: the group "Handsteuerung" across the top (two rows of four
// selectors, the bank on the right); below it the reverse and the touch
// sections, each with its list and heading on the right.
#include "masks/manual_sheet.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVector>

#include "link/manual_drive_text.h"
#include "masks/fixed_row_list_box.h"
#include "masks/heating_lines.h"
#include "masks/help_button.h"
#include "masks/manual_selector.h"
#include "masks/mask_controls.h"
#include "masks/mask_section.h"
#include "masks/section_frame.h"
#include "masks/sheet_steps.h"
#include "model/motor_fields.h"

namespace veltrano {
namespace {

constexpr int kManualBankCount = 4;
constexpr int kSelectorsPerBank = 8;

constexpr int kManualTop = 4;
constexpr int kManualHeight = 160;
constexpr int kCellWidth = 140;
constexpr int kNameHeight = 14;
constexpr int kSelectorWidth = 40;
constexpr int kSelectorHeight = 54;

constexpr int kGroupLeft = 4;
constexpr int kGroupWidth = 384;
constexpr int kGroupHeight = 110;
constexpr int kReverseTop = 170;
constexpr int kTouchTop = 286;
constexpr int kHeadingLeft = 390;
constexpr int kHeadingWidth = 397;
constexpr int kHeadingHeight = 14;
constexpr int kListLeft = 392;
constexpr int kListWidth = 393;
constexpr int kBoxHeight = 22;

}  // namespace

ManualSheet::ManualSheet(QWidget* sheet, ConfigurationModel& model, LinkState& state, Writer write,
                         Guard guard)
    : model_(model),
      state_(state),
      write_(std::move(write)),
      guard_(guard ? std::move(guard) : Guard([](const std::function<void()>& fn) { fn(); })) {
    commands_.fill(kManualRowOff);
    BuildManual(sheet);
    BuildReverse(sheet);
    BuildTouch(sheet);
    // The window's widgets outlive this object: a late hide finds it gone.
    ConnectSheetSteps(
        sheet,
        [self = QPointer<ManualSheet>(this)] {
            if (self) self->Run([&self] { self->Handsteuerung_MaskeEnter(); });
        },
        [self = QPointer<ManualSheet>(this)] {
            if (self) self->Run([&self] { self->Handsteuerung_MaskeExit(); });
        });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget* now) { FocusChanged(old, now); });
}

ManualSheet::~ManualSheet() = default;

void ManualSheet::BuildManual(QWidget* sheet) {
    manualGroup_ = new QGroupBox("Handsteuerung", sheet);
    manualGroup_->setObjectName("Handsteuerung");
    manualGroup_->setGeometry(kGroupLeft, kManualTop, 781, kManualHeight);
    MakeHelpButton(manualGroup_, "Help_HandStrg")->setFocusPolicy(Qt::NoFocus);
    for (int k = 1; k <= kSelectorsPerBank; ++k) {
        const int column = (k - 1) % 4;
        const int top = 18 + ((k - 1) / 4) * (kNameHeight + kSelectorHeight + 4);
        const int left = 8 + column * kCellWidth;
        const std::string name = "HS_" + std::to_string(k);
        names_[static_cast<std::size_t>(k - 1)] =
            MakeCaption(manualGroup_, (name + "_Label").c_str(), QString(),
                        QRect(left, top, kCellWidth - 8, kNameHeight));
        auto* selector = new ManualSelector(name.c_str(), manualGroup_);
        selector->setGeometry(left, top + kNameHeight, kSelectorWidth, kSelectorHeight);
        selector->SetRow(kManualRowOff);
        selector->Chosen = [this, k](int row) { Run([this, k, row] { HS_Click(k, row); }); };
        selectors_[static_cast<std::size_t>(k - 1)] = selector;
    }
    MakeCaption(manualGroup_, "HS_Bank_Caption", "Bank", QRect(600, 40, 40, kNameHeight));
    bankLabel_ = MakeField(manualGroup_, "HS_Bank_Label", nullptr, QRect(600, 58, 30, 20));
    bankLabel_->setText("1");
    QLabel* next =
        MakeField(manualGroup_, "HS_Bank_next_", "Weitere Kanäle", QRect(636, 58, 30, 20));
    next->setText(QString::fromUtf8("\u25BA"));
    next->setAlignment(Qt::AlignCenter);
    OnClick(next, [this] { Run([this] { HS_Bank_next_Click(); }); });
}

void ManualSheet::BuildReverse(QWidget* sheet) {
    using R = ReverseSettings;
    QGroupBox* g = MakeSectionGroup(
        sheet, "GroupBox_Reversier_Automatik", MotorRecordFields<R>::Caption.data(),
        QRect(kGroupLeft, kReverseTop, kGroupWidth, kGroupHeight), "Help_Reversier");
    auto* selector = MakeItemBox(g, "RA_Raum", {}, nullptr, QRect(8, 20, 156, kBoxHeight));
    auto* onOff = MakeFieldBox(g, "RA_Ein_Aus", &R::Off, nullptr, QRect(168, 20, 53, kBoxHeight));
    auto* up = MakeFieldBox(g, "RA_Auf", &R::AtUp, "Lamellen-Rücklaufzeit nach AUF",
                            QRect(312, 50, 60, kBoxHeight));
    auto* down = MakeFieldBox(g, "RA_Ab", &R::AtDown, "Lamellen-Rücklaufzeit nach AB",
                              QRect(312, 78, 60, kBoxHeight));
    QLabel* captions[] = {
        MakeCaption(g, "RA_Label1", "Rücklauf nach einer Aufwärtsbewegung               s",
                    QRect(8, 50, 300, kBoxHeight)),
        MakeCaption(g, "RA_Label2", "Rücklauf nach einer Abwärtsbewegung                s",
                    QRect(8, 78, 300, kBoxHeight)),
    };
    FixedRowListBox* list = MakeSectionList(
        sheet, "RA_Liste", "RA_Ueberschrift",
        "Motor / Raum        Ein/Aus     Rückl. nach AUF     Rückl. nach AB",
        QRect(kHeadingLeft, kReverseTop, kHeadingWidth, kHeadingHeight),
        QRect(kListLeft, kReverseTop + kHeadingHeight, kListWidth, kGroupHeight - kHeadingHeight));

    MaskSection::Setup s = SectionOf<R>(model_, ReverseLine, {selector, onOff, list});
    s.boxes = {BoundBox(model_, up, &R::AtUp), BoundBox(model_, down, &R::AtDown)};
    AddFollowers(s, {up, down});
    AddFollowers(s, captions);
    reverse_ = new MaskSection(std::move(s), model_, state_, guard_, this);
}

void ManualSheet::BuildTouch(QWidget* sheet) {
    using R = TouchSettings;
    QGroupBox* g =
        MakeSectionGroup(sheet, "GroupBox_Tast_Automatik", MotorRecordFields<R>::Caption.data(),
                         QRect(kGroupLeft, kTouchTop, kGroupWidth, kGroupHeight), "Help_TA");
    auto* selector = MakeItemBox(g, "Tast_Raum", {}, nullptr, QRect(8, 20, 156, kBoxHeight));
    auto* onOff = MakeFieldBox(g, "Tast_Ein_Aus", &R::Off, nullptr, QRect(168, 20, 53, kBoxHeight));
    constexpr const char* kRunTimeHint = "Laufzeit des Motors bei Aktivierung";
    auto* wired = MakeItemBox(g, "Tast_Dauer", RunTimeOrContinuousItems(), kRunTimeHint,
                              QRect(290, 56, 80, kBoxHeight));
    auto* radio = MakeItemBox(g, "Tast_Dauer_Funk", RadioRunTimeItems(), kRunTimeHint,
                              QRect(290, 56, 80, kBoxHeight));
    QLabel* caption =
        MakeCaption(g, "Tast_Label1", "Aktivierungszeit bei Auslösung des Bedientasters",
                    QRect(8, 50, 276, 34));
    FixedRowListBox* list = MakeSectionList(
        sheet, "Tast_Liste", "Tast_Label2", "Motor / Raum        Ein/Aus     Aktivierungszeit",
        QRect(kHeadingLeft, kTouchTop, kHeadingWidth, kHeadingHeight),
        QRect(kListLeft, kTouchTop + kHeadingHeight, kListWidth, kGroupHeight - kHeadingHeight));

    MaskSection::Setup s = SectionOf<R>(model_, nullptr, {selector, onOff, list});
    s.line = [this](int motor) {
        return TouchLine(model_.motorName(motor), model_.touch(motor),
                         state_.Identity.RadioVariant);
    };
    // Both boxes show DurationCode; a choice stores the box of the variant
    // (the only one shown).
    auto storeVariant = [this, wired, radio](int motor, int) {
        model_.touch(motor).DurationCode =
            state_.Identity.RadioVariant ? radio->currentIndex() : wired->currentIndex();
    };
    MaskSection::Box wiredBox = BoundBox(model_, wired, &R::DurationCode);
    wiredBox.store = storeVariant;
    MaskSection::Box radioBox = BoundBox(model_, radio, &R::DurationCode);
    radioBox.store = storeVariant;
    s.boxes = {wiredBox, radioBox};
    s.followers = {{caption, {}},
                   {wired, [this] { return !state_.Identity.RadioVariant; }},
                   {radio, [this] { return state_.Identity.RadioVariant; }}};
    touch_ = new MaskSection(std::move(s), model_, state_, guard_, this);
}

// --- Manual drive -----------------------------------------------------------------

void ManualSheet::ShowBank(const std::function<int(int motor)>& rowOf) {
    bankLabel_->setText(QString::number(bank_));
    for (int k = 1; k <= kSelectorsPerBank; ++k) {
        const int motor = ManualMotor(bank_, k);
        names_[static_cast<std::size_t>(k - 1)]->setText(
            QString::fromStdString(model_.motorName(motor)));
        const int row = rowOf(motor);
        selectors_[static_cast<std::size_t>(k - 1)]->SetRow(
            row >= kManualRowUp && row <= kManualRowDown ? row : kManualRowOff);
    }
}

void ManualSheet::ShowManualBank() {
    ShowBank([this](int motor) { return ManualCommand(motor); });
}

void ManualSheet::ShowReportedBank() {
    ShowBank([this](int motor) { return model_.manualState(motor); });
}

void ManualSheet::Handsteuerung_MaskeEnter() {
    current_ = true;
    touch_->Enter();
    reverse_->Enter();
    bank_ = 1;
    ShowManualBank();
    Write(kManualStatesRequest);
}

void ManualSheet::Handsteuerung_MaskeExit() {
    // Once per leaving: closing the window runs it before the sheet's hide.
    if (!current_) return;
    current_ = false;
    manualModeEntered_ = false;
    commands_.fill(kManualRowOff);
    bank_ = 1;
    bankLabel_->setText("1");
    for (ManualSelector* selector : selectors_)
        selector->SetRow(kManualRowOff);
    Write(kManualModeEnd);
}

void ManualSheet::HS_Bank_next_Click() {
    bank_ = bank_ >= kManualBankCount ? 1 : bank_ + 1;
    ShowManualBank();
    Write(kManualStatesRequest);
}

void ManualSheet::HandsteuerungEnter() {
    if (manualModeEntered_) return;
    manualModeEntered_ = Write(kManualModeBegin);
}

void ManualSheet::HS_Click(int selector, int row) {
    const int motor = ManualMotor(bank_, selector);
    ManualSelector* box = selectors_.at(static_cast<std::size_t>(selector - 1));
    // A refused write is no click: the selector shows the command before it.
    bool written = false;
    try {
        // After the link came back the Controller may have restarted.
        if (!manualModeEntered_) HandsteuerungEnter();
        written = Write(ManualDriveMotorText(motor)) && Write(ManualDriveDirectionText(row));
    } catch (...) {
        box->SetRow(ManualCommand(motor));
        throw;
    }
    if (!written) {
        box->SetRow(ManualCommand(motor));
        return;
    }
    commands_.at(static_cast<std::size_t>(motor - 1)) = row;
}

void ManualSheet::FocusChanged(QWidget* old, QWidget* now) {
    Run([this, old, now] {
        if (!current_ || now == nullptr) return;  // another application: not leaving
        const bool inside = manualGroup_->isAncestorOf(now);
        if (inside && !(old && manualGroup_->isAncestorOf(old))) HandsteuerungEnter();
        if (!inside && now->window() == manualGroup_->window()) manualModeEntered_ = false;
    });
}

void ManualSheet::LinkChanged(bool down) {
    manualModeEntered_ = false;
    if (!down && current_) Write(kManualStatesRequest);
}

// --- Reverse and touch --------------------------------------------------------------

void ManualSheet::FormatReverseList() {
    reverse_->FormatList();
}

void ManualSheet::FormatTouchList() {
    touch_->FormatList();
}

void ManualSheet::UpdateReverseEditors() {
    reverse_->ApplyVisibility();
}

void ManualSheet::UpdateTouchEditors() {
    touch_->ApplyVisibility();
}

void ManualSheet::SetStartDefaults() {
    reverse_->SetStartDefaults();
    touch_->SetStartDefaults();
    bank_ = 1;
    commands_.fill(kManualRowOff);
    ShowManualBank();
}

void ManualSheet::ConnectHooks(WindowHooks& hooks) {
    hooks.FormatReverseList = [this] { FormatReverseList(); };
    hooks.FormatTouchList = [this] { FormatTouchList(); };
    hooks.ShowReportedBank = [this] { ShowReportedBank(); };
}

}  // namespace veltrano
