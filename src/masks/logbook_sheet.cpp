#include "masks/logbook_sheet.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include "logbook/logbook_lines.h"
#include "masks/fixed_pitch_font.h"
#include "masks/help_button.h"

namespace veltrano {
namespace {

constexpr int kLeft = 8;
constexpr int kHeadingTop = 6;
constexpr int kListTop = 22;
constexpr int kListHeight = 290;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 25;
constexpr int kRowGap = 32;
constexpr int kFirstButtonTop = kListTop + kListHeight + 8;
constexpr int kDescriptionWidth = 320;

struct ButtonSpec {
    const char* name;
    const char* caption;
    const char* hint;         // nullptr: none
    const char* description;  // the label beside it; nullptr: none
};
constexpr std::array<ButtonSpec, 4> kButtons = {{
    {"Logbuch_Button", "Logbuch lesen", "Die nächsten 100 Logbuch-Einträge lesen", nullptr},
    {"Logbuch_Anfang", "Ab Anfang", "Logbuch ab Anfang lesen", nullptr},
    {"Logbuch_save_Button", "Save to Disk", nullptr,
     "Alle Logbuch- Einträge auf Datenträger speichern"},
    {"Logbuch_Loeschen", "Logbuch löschen", nullptr,
     "Alle Logbuch- Einträge in der Steuerung löschen"},
}};
// Places: read and read-from-start side by side, then save and erase below
// each other with their descriptions.
constexpr std::array<QPoint, 4> kButtonPlaces = {{{kLeft, kFirstButtonTop},
                                                  {kLeft + kButtonWidth + 6, kFirstButtonTop},
                                                  {kLeft, kFirstButtonTop + kRowGap},
                                                  {kLeft, kFirstButtonTop + 2 * kRowGap}}};

// Wide enough for the longest row in the list's font, its vertical scroll
// bar and frame, so no row needs a horizontal scroll bar.
int ListWidth(const QListWidget& list) {
    const QFontMetrics metrics(list.font());
    const int text = metrics.horizontalAdvance(QString(kLogbookRowWidth, QLatin1Char('M')));
    const int scrollBar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    constexpr int kItemMargins = 12;  // the view's and the item's text margins
    return text + scrollBar + 2 * list.frameWidth() + kItemMargins;
}

}  // namespace

LogbookSheet::LogbookSheet(QWidget* sheet) {
    const QFont listFont = FixedPitchListFont();
    list_ = new QListWidget(sheet);
    list_->setObjectName("LB");
    list_->setFont(listFont);
    list_->setUniformItemSizes(true);
    const int listWidth = ListWidth(*list_);
    list_->setGeometry(kLeft, kListTop, listWidth, kListHeight);

    heading_ = new QLabel(QString::fromUtf8(kLogbookListHeading), sheet);
    heading_->setObjectName("Logbuch_Label");
    heading_->setFont(listFont);
    // Over the item text, which the list indents by its frame and margin.
    heading_->setGeometry(kLeft + 4, kHeadingTop, listWidth - 4, kListTop - kHeadingTop);

    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const ButtonSpec& row = kButtons[i];
        auto* button = new QPushButton(QString::fromUtf8(row.caption), sheet);
        button->setObjectName(row.name);
        button->setGeometry(QRect(kButtonPlaces[i], QSize(kButtonWidth, kButtonHeight)));
        if (row.hint) button->setToolTip(QString::fromUtf8(row.hint));
        if (row.description) {
            auto* label = new QLabel(QString::fromUtf8(row.description), sheet);
            label->setObjectName(QString(row.name) + "_Label");
            label->setGeometry(kLeft + kButtonWidth + 8, kButtonPlaces[i].y(), kDescriptionWidth,
                               kButtonHeight);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
        buttons_[i] = button;
    }

    progress_ = new QProgressBar(sheet);
    progress_->setObjectName("LogbuchProgressBar");
    progress_->setTextVisible(false);
    progress_->setRange(0, 1);
    const int progressLeft = kButtonPlaces[1].x() + kButtonWidth + 12;
    progress_->setGeometry(progressLeft, kFirstButtonTop + 6, kLeft + listWidth - progressLeft, 14);
    progress_->hide();

    QPushButton* help = MakeHelpButton(sheet, "Help_Logbuch");
    help->move(kLeft + listWidth + 8, kListTop);
}

void LogbookSheet::SetButtonsEnabled(bool enabled) {
    for (QPushButton* button : buttons_)
        button->setEnabled(enabled);
}

void LogbookSheet::ShowProgressFromZero() {
    progress_->setValue(0);
    progress_->show();
}

void LogbookSheet::SetRow(int row, const QString& text) {
    while (list_->count() <= row)
        list_->addItem(QString());
    list_->item(row)->setText(text);
}

LogbookListHooks LogbookSheet::ListHooks() {
    LogbookListHooks hooks;
    hooks.EmptyList = [this] {
        list_->clear();
        for (int row = 0; row < kLogbookListRows; ++row)
            list_->addItem(QString());
    };
    hooks.SetRow = [this](int row, const std::string& text) {
        SetRow(row, QString::fromStdString(text));
    };
    hooks.SelectRow = [this](int row) {
        if (row >= 0 && row < list_->count()) list_->setCurrentRow(row);
    };
    hooks.SetProgressMaximum = [this](int maximum) { progress_->setMaximum(maximum); };
    hooks.SetProgressPosition = [this](int position) { progress_->setValue(position); };
    return hooks;
}

}  // namespace veltrano
