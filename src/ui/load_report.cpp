// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/load_report.h"

#include <algorithm>

#include "formats/product_lines.h"
#include "ui/ui_texts.h"

namespace {
constexpr std::size_t kLinesShown = 5;

std::string WhyNotRead(const TBaseSong::TUnreadLine& line, std::uint8_t productLine) {
  using Why = TBaseSong::TUnreadLine::Why;
  switch (line.why) {
    case Why::kNotGbk:
      return ui_text::UnreadNotGbk();
    case Why::kControl:
      return ui_text::UnreadControl();
    case Why::kNoSlot:
      return ui_text::UnreadNoSlot();
    case Why::kRefused:
      break;
  }
  const TProductLineInfo* info = FindProductLine(productLine);
  if (info == nullptr) return "";
  const TLineVerdict verdict = info->check(line.text);
  switch (verdict.reason) {
    case TLineVerdict::Reason::kFieldCount:
      return ui_text::UnreadFieldCount(verdict.fieldCount, verdict.expected);
    case TLineVerdict::Reason::kFlag:
      return ui_text::UnreadFlag(verdict.position, verdict.field);
    case TLineVerdict::Reason::kSongNo:
      return ui_text::UnreadSongNo(verdict.position);
    case TLineVerdict::Reason::kInteger:
      return ui_text::UnreadInteger(verdict.position, verdict.field);
    case TLineVerdict::Reason::kAccepted:
      break;
  }
  return "";
}
}  // namespace

std::string UnreadReport(const TBaseSong& list) {
  std::string report;
  const auto& unread = list.FLoaded.unread;
  for (std::size_t i = 0; i < std::min(unread.size(), kLinesShown); ++i) {
    report += ui_text::UnreadLine(unread[i].number, WhyNotRead(unread[i], list.FProductLine));
    report += "\r\n";
  }
  if (unread.size() > kLinesShown) report += "......\r\n";
  return report;
}

bool AcceptLoad(TBaseSong& list, const std::string& file,
                const std::function<int(const TQuestion&)>& ask,
                const std::function<void(const std::string&, const std::string&, int)>& box) {
  if (list.FLoaded.gbkBehindMark) {
    box(ui_text::OpenVodButton(), ui_text::GbkBehindMark(file), kMsgWarning);
  }
  const auto& unread = list.FLoaded.unread;
  if (unread.empty()) return true;
  const TQuestion question{
      TQuestion::Id::kUnreadLines,
      ui_text::UnreadCaption(),
      ui_text::UnreadQuestion(file, static_cast<int>(unread.size()), UnreadReport(list)),
      {ui_text::GoOnButton(), ui_text::CancelButton()}};
  if (ask(question) != 0) return false;
  list.KeepUnreadLines();
  return true;
}
