#include "masks/day_timeline.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <algorithm>

#include "masks/client_font.h"

namespace veltrano {
namespace {

constexpr int kStripWidth = 657;
constexpr int kStripHeight = 25;
constexpr int kSegmentTop = 7;
constexpr int kSegmentHeight = 14;
// Wide and high enough for the day and a 12-character name on two lines.
constexpr int kCaptionBoxWidth = 130;
constexpr int kCaptionBoxHeight = 34;
// Far beyond the strip, yet well inside what a widget's geometry can hold.
constexpr std::int64_t kDrawLimit = 100000;

int Drawable(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -kDrawLimit, kDrawLimit));
}

void Paint(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    if (palette.color(QPalette::Window) == colour &&
        palette.color(QPalette::WindowText) == Qt::white)
        return;  // unchanged: no restyle
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
}

}  // namespace

DayTimeline::DayTimeline(QWidget* sheet, int x, int y) {
    auto* captionBox = new QGroupBox(sheet);
    captionBox->setObjectName("GroupBox_Tag_und_Motor");
    captionBox->setGeometry(x, y, kCaptionBoxWidth, kCaptionBoxHeight);
    caption_ = new QLabel(captionBox);
    caption_->setObjectName("Tag_und_Motor");
    caption_->setWordWrap(true);
    caption_->setGeometry(2, 2, kCaptionBoxWidth - 4, kCaptionBoxHeight - 4);

    strip_ = new QGroupBox(sheet);
    strip_->setObjectName("GroupBox20");
    strip_->setGeometry(x + kCaptionBoxWidth + 2, y, kStripWidth, kStripHeight);
    const QFont font = ClientFont();
    for (int i = 0; i < kTimelineSegmentCount; ++i) {
        // Nothing shows until the first drawing: no placeholder captions.
        auto* label = new QLabel(strip_);
        label->setObjectName(QString("B%1").arg(i + 1));
        label->setFont(font);
        label->setAutoFillBackground(true);
        label->setGeometry(kTimelineFirstLeft, kSegmentTop, 0, kSegmentHeight);
        Paint(label, DownColour());
        segments_[static_cast<std::size_t>(i)] = label;
    }
}

void DayTimeline::Draw(const TimelineSegments& segments, const QString& caption) {
    for (int i = 0; i < kTimelineSegmentCount; ++i) {
        const TimelineSegment& s = segments[static_cast<std::size_t>(i)];
        QLabel* label = segments_[static_cast<std::size_t>(i)];
        label->setGeometry(Drawable(s.left), kSegmentTop,
                           Drawable(std::max<std::int64_t>(s.width, 0)), kSegmentHeight);
        label->setText(QString::fromStdString(s.caption));
        if (s.shade) Paint(label, *s.shade == SegmentShade::Up ? UpColour() : DownColour());
    }
    caption_->setText(caption);
}

}  // namespace veltrano
