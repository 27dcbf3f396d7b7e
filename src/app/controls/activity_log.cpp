#include "app/controls/activity_log.h"

#include "app/controls/controls.h"
#include "text/time_to_text.h"

namespace {
void AppendEntry(std::string_view lead, std::string_view message) {
  Text entry(lead);
  entry += "[";
  entry += TimeToText();
  entry += "]";
  entry += message;
  Controls().编辑框1.Append(entry);
}
}  // namespace

void ActivityLog(std::string_view message) { AppendEntry("\r\n", message); }

void ActivityLogStart(std::string_view message) { AppendEntry("", message); }
