// The help topics: which "?" button shows which topic of the help file, and
// where the help box stands for it (window client coordinates, pixels).
#pragma once

#include <span>
#include <string_view>

namespace veltrano {

struct HelpTopic {
    const char* button;     // objectName of the "?" button
    const char* handler;    // its click handler
    const char* topicLine;  // the line that opens the topic in the help file
    int left, top, width, height;
};

// All 25 topics, in the order of the sheets.
std::span<const HelpTopic> HelpTopics();

// The line after the last topic of the help file.
inline constexpr std::string_view kHelpDocumentEnd = "[Ende Dokument]";

}  // namespace veltrano
