// Entering and leaving the parameter sheet, its handlers, and the operations
// the link, read-all and the backup file call.
#include "masks/parameter_sheet.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "masks/parameter_rules.h"
#include "masks/sheet_steps.h"

namespace veltrano {
namespace {

// A check box caption shows "&" itself instead of taking it as a mnemonic.
QString CheckBoxCaption(const std::string& name) {
    return QString::fromStdString(name).replace('&', "&&");
}

}  // namespace

ParameterSheet::ParameterSheet(QWidget* sheet, ConfigurationModel& model, const LinkState& state,
                               QTimer* pollingTimer, Guard guard)
    : sheet_(sheet),
      model_(model),
      state_(state),
      pollingTimer_(pollingTimer),
      guard_(guard ? std::move(guard) : Guard([](const std::function<void()>& fn) { fn(); })) {
    Build(sheet);
    Wire();
}

ParameterSheet::~ParameterSheet() = default;

void ParameterSheet::Wire() {
    for (const ParameterField& field : ParameterFields()) {
        const ParameterControl control = field.control;
        connect(ParameterBox(control), &QComboBox::activated, this,
                [this, control] { Run([&] { ParameterClick(control); }); });
    }
    for (int k = 1; k <= kMotorsPerBank; ++k) {
        QListWidget* selector = alarmSelectors_[static_cast<std::size_t>(k - 1)];
        // A keyboard move changes the row; a click on the row already shown
        // changes nothing, so clicks come from `clicked`.
        connect(selector, &QListWidget::currentRowChanged, this,
                [this, k] { Run([&] { AS_Click(k); }); });
        connect(selector, &QListWidget::clicked, this, [this, k] { Run([&] { AS_Click(k); }); });
    }
    connect(alarmBankNext_, &QPushButton::clicked, this,
            [this] { Run([this] { AS_Bank_next_Click(); }); });
    connect(groupBankNext_, &QPushButton::clicked, this,
            [this] { Run([this] { GZ_Bank_next_Click(); }); });
    connect(softGzs_, &QCheckBox::clicked, this,
            [this](bool checked) { Run([&] { Soft_GZSClick(checked); }); });
    for (int n = 1; n <= kHolidayCount; ++n) {
        QDateEdit* picker = pickers_[static_cast<std::size_t>(n - 1)];
        auto change = [this, n](QDate date) { Run([&] { DateTimePickerChange(n, date); }); };
        connect(picker, &QDateEdit::dateChanged, this, change);
        // Picking the date already shown changes nothing; the calendar still says so.
        connect(picker->calendarWidget(), &QCalendarWidget::clicked, this, change);
        connect(picker->calendarWidget(), &QCalendarWidget::activated, this, change);
    }
    // The window outlives this object only while it is being destroyed; its
    // last hide must not reach a sheet that is gone.
    QPointer<ParameterSheet> self(this);
    ConnectSheetSteps(
        sheet_,
        [self] {
            if (self) self->Run([&] { self->ParameterEnter(); });
        },
        [self] {
            if (self) self->Run([&] { self->ParameterExit(); });
        });
}

void ParameterSheet::ConnectHooks(WindowHooks& hooks) {
    hooks.ShowAlarmBank = [this](int bank) { ShowAlarmBank(bank); };
    hooks.LoadGroupCheckBoxes = [this] { LoadGroupCheckBoxes(); };
    hooks.StoreGroupCheckBoxes = [this] { StoreGroupCheckBoxes(); };
    hooks.SelectGroupBank = [this](int bank) { SelectGroupBank(bank); };
    hooks.RedrawHolidayFields = [this] { RedrawHolidayFields(); };
    hooks.SelectParameterItem = [this](ParameterControl control, int code) {
        SelectParameterItem(control, code);
    };
    hooks.SetSoftGzsChecked = [this](bool checked) { SetSoftGzsChecked(checked); };
    hooks.IsSoftGzsChecked = [this] { return IsSoftGzsChecked(); };
    hooks.HolidayEditText = [this](int number) { return HolidayEditText(number).toStdString(); };
    hooks.ParameterEnter = [this] { ParameterEnter(); };
    hooks.ParameterExit = [this] { ParameterExit(); };
}

// --- Start-up ----------------------------------------------------------------

void ParameterSheet::SetStartBanks() {
    ShowAlarmBank(1);
    SelectGroupBank(1);
}

void ParameterSheet::SetParameterDefaults() {
    const GeneralParameters defaults;
    for (const ParameterField& field : ParameterFields()) {
        model_.Parameters.*field.parameter.code = defaults.*field.parameter.code;
        SelectParameterItem(field.control, defaults.*field.parameter.code);
    }
}

void ParameterSheet::SetHolidayDefaults(const QDate& today) {
    for (int n = 1; n <= kHolidayCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        model_.holiday(n) = Holiday{1, 1};
        const QSignalBlocker blocker(pickers_[i]);
        pickers_[i]->setDate(today);
        holidayFields_[i]->setText(QString::fromStdString(HolidayFieldText(Holiday{1, 1})));
    }
}

// --- Entering and leaving ------------------------------------------------------

void ParameterSheet::ParameterEnter() {
    ShowAlarmBank(1);
    // Only bank 1 can be edited on an 8-motor Controller: a bank left above
    // it with a 32-motor one is put away first.
    if (!state_.Identity.ThirtyTwoMotors && groupBank_ != 1) {
        StoreGroupCheckBoxes();
        groupBank_ = 1;
        LoadGroupCheckBoxes();
    }
    ShowGroupBankLabels();
    for (const ParameterField& field : ParameterFields())
        SelectParameterItem(field.control, model_.Parameters.*field.parameter.code);
}

void ParameterSheet::ParameterExit() {
    // While a transfer holds the window (the page control disabled, and with
    // it this sheet) a poll would interleave with it; its end starts the timers.
    const bool windowHeld = !sheet_->isEnabled();
    if (pollingTimer_ && LeaveStartsPolling(windowHeld, pollingTimer_->isActive()))
        pollingTimer_->start();
    StoreGroupCheckBoxes();
}

// --- Handlers ------------------------------------------------------------------

void ParameterSheet::ParameterClick(ParameterControl control) {
    const int index = ParameterBox(control)->currentIndex();
    if (index >= 0) model_.Parameters.*FieldOf(control).parameter.code = index;
}

void ParameterSheet::AS_Click(int selector) {
    const QListWidget* list = alarmSelectors_.at(static_cast<std::size_t>(selector - 1));
    // A list that gets the focus makes its first row current without
    // choosing it: only a selected row is the user's choice.
    const QListWidgetItem* item = list->currentItem();
    if (!item || !item->isSelected()) return;
    model_.alarmPattern(MotorOfBank(alarmBank_, selector)) = list->currentRow();
}

void ParameterSheet::AS_Bank_next_Click() {
    ShowAlarmBank(NextBank(alarmBank_));
}

void ParameterSheet::GZ_Bank_next_Click() {
    StoreGroupCheckBoxes();
    groupBank_ = NextBank(groupBank_);
    ShowGroupBankLabels();
    LoadGroupCheckBoxes();
}

void ParameterSheet::Soft_GZSClick(bool checked) {
    // Send-all reads the flag from the model: box and model stay equal.
    model_.Parameters.SoftGzsActive = checked;
}

void ParameterSheet::DateTimePickerChange(int number, const QDate& date) {
    if (!date.isValid()) return;
    model_.holiday(number) = Holiday{date.day(), date.month()};
    ShowHoliday(number);
}

// --- Operations ------------------------------------------------------------------

void ParameterSheet::ShowAlarmBank(int bank) {
    alarmBank_ = bank >= 1 && bank <= kBankCount ? bank : 1;
    alarmBankLabel_->setText(QString::number(alarmBank_));
    for (int k = 1; k <= kMotorsPerBank; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const int motor = MotorOfBank(alarmBank_, k);
        alarmLabels_[i]->setText(QString::fromStdString(model_.motorName(motor)));
        QListWidget* selector = alarmSelectors_[i];
        const QSignalBlocker blocker(selector);
        const int row = ItemForCode(model_.alarmPattern(motor), selector->count());
        // No row for a code outside the list; then every row can be chosen.
        selector->setCurrentRow(row);
        if (row < 0) selector->clearSelection();
    }
}

void ParameterSheet::ShowGroupBankLabels() {
    groupBankLabel_->setText(QString::number(groupBank_));
    for (int i = 1; i <= kMotorsPerBank; ++i)
        GroupBox(1, i)->setText(CheckBoxCaption(model_.motorName(MotorOfBank(groupBank_, i))));
}

void ParameterSheet::StoreGroupCheckBoxes() {
    for (int g = 1; g <= kGroupCount; ++g) {
        GroupColumn ticked{};
        for (int i = 1; i <= kMotorsPerBank; ++i)
            ticked[static_cast<std::size_t>(i - 1)] = GroupBox(g, i)->isChecked();
        model_.groupMask(groupBank_, g) = GroupByte(ticked);
    }
}

void ParameterSheet::LoadGroupCheckBoxes() {
    for (int g = 1; g <= kGroupCount; ++g) {
        const GroupColumn ticked = GroupTicks(model_.groupMask(groupBank_, g));
        for (int i = 1; i <= kMotorsPerBank; ++i)
            GroupBox(g, i)->setChecked(ticked[static_cast<std::size_t>(i - 1)]);
    }
}

void ParameterSheet::SelectGroupBank(int bank) {
    groupBank_ = bank >= 1 && bank <= kBankCount ? bank : 1;
    ShowGroupBankLabels();
}

void ParameterSheet::RedrawHolidayFields() {
    for (int n = 1; n <= kHolidayCount; ++n)
        ShowHoliday(n);
}

// The field shows the model as it is; the picker shows the holiday in the
// current year, and stays where it was when that is no date.
void ParameterSheet::ShowHoliday(int number) {
    const auto i = static_cast<std::size_t>(number - 1);
    const Holiday& holiday = model_.holiday(number);
    holidayFields_[i]->setText(QString::fromStdString(HolidayFieldText(holiday)));
    QDateEdit* picker = pickers_[i];
    const int year = QDate::currentDate().year();
    if (!IsDateOfYear(year, holiday.Month, holiday.Day)) return;
    const QSignalBlocker blocker(picker);
    picker->setDate(QDate(year, holiday.Month, holiday.Day));
}

void ParameterSheet::SelectParameterItem(ParameterControl control, int code) {
    QComboBox* box = ParameterBox(control);
    box->setCurrentIndex(ItemForCode(code, box->count()));
}

void ParameterSheet::SetSoftGzsChecked(bool checked) {
    softGzs_->setChecked(checked);
}

bool ParameterSheet::IsSoftGzsChecked() const {
    return softGzs_->isChecked();
}

QString ParameterSheet::HolidayEditText(int number) const {
    if (number < 1 || number > kHolidayCount) return {};
    return holidayFields_[static_cast<std::size_t>(number - 1)]->text();
}

QComboBox* ParameterSheet::ParameterBox(ParameterControl control) const {
    const auto& fields = ParameterFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].control == control) return parameterBoxes_[i];
    return nullptr;
}

QCheckBox* ParameterSheet::GroupBox(int group, int position) const {
    return groupBoxes_[static_cast<std::size_t>(kMotorsPerBank * (group - 1) + position - 1)];
}

}  // namespace veltrano
