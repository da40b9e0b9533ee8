// The day timeline strip under the switching-time lists: GroupBox20 with the
// segment labels B1 .. B9, and Tag_und_Motor in a small box to its left.
#pragma once

#include <QColor>
#include <QString>
#include <array>

#include "masks/day_timeline_segments.h"

class QGroupBox;
class QLabel;
class QWidget;

namespace veltrano {

class DayTimeline {
  public:
    // Colours of a stretch after an upward and after a downward switching time.
    static QColor UpColour() { return QColor(0, 128, 128); }
    static QColor DownColour() { return QColor(Qt::black); }

    // Builds the strip on `sheet` with its top left corner at (x, y).
    DayTimeline(QWidget* sheet, int x, int y);

    // Shows the segments; negative widths are drawn as zero, positions are
    // kept within what a widget can take. Then Tag_und_Motor := caption.
    void Draw(const TimelineSegments& segments, const QString& caption);

    QLabel* Segment(int index) const { return segments_[static_cast<std::size_t>(index)]; }
    QLabel* Caption() const { return caption_; }

  private:
    QGroupBox* strip_ = nullptr;
    std::array<QLabel*, kTimelineSegmentCount> segments_{};
    QLabel* caption_ = nullptr;
};

}  // namespace veltrano
