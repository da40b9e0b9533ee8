// The sheet " Parameter": random span, sensor and conservatory parameters,
// the alarm action per motor, the group central control with Soft-GZS and
// the 15 holidays. Alarm and groups show one bank of eight motors at a time.
//
// The six boxes, the alarm selectors, Soft_GZS and the pickers write the
// model at once, on the user's choice only; the 32 group check boxes are an
// editing buffer for one bank of GroupMasks, taken over by
// StoreGroupCheckBoxes (leaving the sheet, changing the bank, saving,
// sending).
#pragma once

#include <QDate>
#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

#include "link/link_state.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class QWidget;

namespace veltrano {

class ParameterSheet : public QObject {
    Q_OBJECT

  public:
    // Runs a handler and shows whatever escapes it.
    using Guard = std::function<void(const std::function<void()>&)>;

    // Builds the controls on `sheet` (a page of Parameter_Maske) and runs
    // ParameterEnter and ParameterExit as the sheet is shown and hidden.
    // pollingTimer is Timer1, which leaving the sheet starts.
    ParameterSheet(QWidget* sheet, ConfigurationModel& model, const LinkState& state,
                   QTimer* pollingTimer, Guard guard);
    ~ParameterSheet() override;

    // Offers the sheet's operations to the link, read-all and the backup file.
    void ConnectHooks(WindowHooks& hooks);

    // --- Start-up -----------------------------------------------------------
    void SetStartBanks();                         // alarm and group bank 1, labelled
    void SetParameterDefaults();                  // the six boxes and the model on their defaults
    void SetHolidayDefaults(const QDate& today);  // pickers today, fields and model 1 January

    // --- Handlers -----------------------------------------------------------
    void ParameterEnter();
    void ParameterExit();
    void ParameterClick(ParameterControl control);  // ZufallsZeitspanneClick ...
    void AS_Click(int selector);                    // AS_1Click .. AS_8Click
    void AS_Bank_next_Click();
    void GZ_Bank_next_Click();
    void Soft_GZSClick(bool checked);
    void DateTimePickerChange(int number, const QDate& date);

    // --- Operations for other parts -----------------------------------------
    void ShowAlarmBank(int bank);
    void ShowGroupBankLabels();
    void StoreGroupCheckBoxes();
    void LoadGroupCheckBoxes();
    void SelectGroupBank(int bank);
    void RedrawHolidayFields();
    void SelectParameterItem(ParameterControl control, int code);
    void SetSoftGzsChecked(bool checked);
    bool IsSoftGzsChecked() const;
    QString HolidayEditText(int number) const;

    int AlarmBank() const { return alarmBank_; }
    int GroupBank() const { return groupBank_; }

  private:
    void Build(QWidget* sheet);
    void BuildRandomSpan(QWidget* sheet);
    void BuildSensorTypes(QWidget* sheet);
    void BuildConservatory(QWidget* sheet);
    void BuildAlarm(QWidget* sheet);
    void BuildGroups(QWidget* sheet);
    void BuildHolidays(QWidget* sheet);
    QComboBox* BuildParameterBox(QWidget* group, ParameterControl control, int top);
    void Wire();
    void Run(const std::function<void()>& handler) const { guard_(handler); }
    QComboBox* ParameterBox(ParameterControl control) const;
    QCheckBox* GroupBox(int group, int position) const;
    void ShowHoliday(int number);

    QWidget* sheet_;
    ConfigurationModel& model_;
    const LinkState& state_;
    QPointer<QTimer> pollingTimer_;
    Guard guard_;

    int alarmBank_ = 1;
    int groupBank_ = 1;

    std::array<QComboBox*, 6> parameterBoxes_{};  // in the order of ParameterFields()
    std::array<QListWidget*, kMotorsPerBank> alarmSelectors_{};
    std::array<QLabel*, kMotorsPerBank> alarmLabels_{};
    QLabel* alarmBankLabel_ = nullptr;
    QPushButton* alarmBankNext_ = nullptr;
    std::array<QCheckBox*, kGroupCount * kMotorsPerBank> groupBoxes_{};  // CheckBox1 .. 32
    QLabel* groupBankLabel_ = nullptr;
    QPushButton* groupBankNext_ = nullptr;
    QCheckBox* softGzs_ = nullptr;
    std::array<QDateEdit*, kHolidayCount> pickers_{};
    std::array<QLineEdit*, kHolidayCount> holidayFields_{};
};

}  // namespace veltrano
