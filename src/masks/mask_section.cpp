#include "masks/mask_section.h"

#include <QComboBox>
#include <QVector>
#include <QWidget>

#include "masks/fixed_row_list_box.h"
#include "masks/mask_lines.h"

namespace veltrano {
namespace {

constexpr int kLastOfEightMotors = 7;  // the highest row and selector index of 8 motors

bool IsRow(int row) {
    return row >= 0 && row < kMotorCount;
}

// Loads the box with `code`; a code outside its list leaves it without an item.
void ShowCode(QComboBox* box, std::int32_t code) {
    box->setCurrentIndex(code >= 0 && code < box->count() ? code : -1);
}

}  // namespace

MaskSection::MaskSection(Setup setup, const ConfigurationModel& model, const LinkState& state,
                         Guard guard, QObject* parent)
    : QObject(parent),
      setup_(std::move(setup)),
      onOffBox_{setup_.onOff, setup_.off, {}, {}},
      model_(model),
      state_(state),
      guard_(guard ? std::move(guard) : Guard([](const std::function<void()>& fn) { fn(); })) {
    Wire();
}

void MaskSection::Wire() {
    connect(setup_.selector, &QComboBox::activated, this, [this] { Run([this] { Refresh(); }); });
    connect(setup_.onOff, &QComboBox::activated, this,
            [this](int index) { Run([this, index] { Chosen(onOffBox_, index); }); });
    for (const Box& box : setup_.boxes) {
        connect(box.box, &QComboBox::activated, this,
                [this, &box](int index) { Run([this, &box, index] { Chosen(box, index); }); });
    }
    connect(setup_.list, &QAbstractItemView::clicked, this,
            [this] { Run([this] { ListeClick(); }); });
    connect(setup_.list, &FixedRowListBox::KeyboardSelected, this,
            [this] { Run([this] { ListeClick(); }); });
    connect(setup_.list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        Run([this, row = index.row()] { ListeDblClick(row); });
    });
}

int MaskSection::ShownMotor() const {
    const int index = setup_.selector->currentIndex();
    return IsRow(index) ? index + 1 : 0;
}

int MaskSection::MotorForStore() const {
    const int motor = ShownMotor();
    if (!ThirtyTwoMotors() && motor > kLastOfEightMotors + 1) return 0;
    return motor;
}

void MaskSection::CopyNames() {
    QComboBox* selector = setup_.selector;
    if (selector->count() != kMotorCount) {
        selector->clear();
        for (int motor = 1; motor <= kMotorCount; ++motor)
            selector->addItem(QString::fromStdString(model_.motorName(motor)));
        return;
    }
    for (int motor = 1; motor <= kMotorCount; ++motor) {
        const QString name = QString::fromStdString(model_.motorName(motor));
        if (selector->itemText(motor - 1) != name) selector->setItemText(motor - 1, name);
    }
}

void MaskSection::Load(int motor) {
    const bool known = MotorTable<int>::IsValidMotor(motor);
    ShowCode(setup_.onOff, known ? setup_.off(motor) : -1);
    for (const Box& box : setup_.boxes)
        ShowCode(box.box, known ? box.field(motor) : -1);
    if (setup_.loaded) setup_.loaded(known ? motor : 0);
}

void MaskSection::ApplyVisibility() {
    const bool on = ShownMotor() != 0 && ShowsOn(setup_.onOff->currentIndex());
    for (const Follower& follower : setup_.followers)
        follower.widget->setVisible(on && (!follower.alsoWhen || follower.alsoWhen()));
}

void MaskSection::FormatList() {
    QVector<QString> rows;
    rows.reserve(kMotorCount);
    for (int motor = 1; motor <= kMotorCount; ++motor)
        rows.push_back(QString::fromStdString(setup_.line(motor)));
    setup_.list->SetRows(std::move(rows));
}

void MaskSection::ShowRow(int row) {
    setup_.selector->setCurrentIndex(IsRow(row) ? row : -1);
    Load(ShownMotor());
    ApplyVisibility();
}

void MaskSection::Enter() {
    CopyNames();
    ShowRow(setup_.list->SelectedRow());
    FormatList();
}

void MaskSection::Refresh() {
    if (!ThirtyTwoMotors() && setup_.selector->currentIndex() > kLastOfEightMotors)
        setup_.selector->setCurrentIndex(0);
    const int motor = ShownMotor();
    if (motor != 0) setup_.markModified(motor);
    Load(motor);
    ApplyVisibility();
    FormatList();
    setup_.list->SelectRow(motor - 1);
    if (setup_.refreshed) setup_.refreshed();
}

void MaskSection::Chosen(const Box& box, int index) {
    if (const int motor = MotorForStore(); motor != 0) {
        if (box.store)
            box.store(motor, index);
        else
            box.field(motor) = index;
    }
    if (box.change)
        box.change();
    else
        Refresh();
}

void MaskSection::ListeClick() {
    int row = setup_.list->SelectedRow();
    if (!ThirtyTwoMotors() && row > kLastOfEightMotors) {
        row = 0;
        setup_.list->SelectRow(row);
    }
    ShowRow(row);
    if (setup_.listClickRefreshes) Refresh();
}

void MaskSection::ListeDblClick(int row) {
    if (!IsRow(row)) return;
    if (!ThirtyTwoMotors() && row > kLastOfEightMotors) {
        // The click before has shown motor 1; the double-click adds nothing.
        setup_.list->SelectRow(0);
        ShowRow(0);
        return;
    }
    setup_.selector->setCurrentIndex(row);
    std::int32_t& off = setup_.off(row + 1);
    off = ShowsOn(off) ? kOff : kOn;
    Refresh();
}

void MaskSection::SetStartDefaults() {
    CopyNames();
    setup_.list->SelectRow(0);
    ShowRow(0);
}

void AddFollowers(MaskSection::Setup& setup, std::initializer_list<QWidget*> widgets,
                  const std::function<bool()>& alsoWhen) {
    for (QWidget* widget : widgets)
        setup.followers.push_back({widget, alsoWhen});
}

}  // namespace veltrano
