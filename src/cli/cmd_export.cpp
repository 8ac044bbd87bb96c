// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli export VOD.TXT --csv OUT.csv --book OUT.html: the list as the
// window's grid shows it (its product line recognised), written as the
// window's "导出歌曲列表…" writes it: a CSV table in UTF-8 with a byte-order
// mark and a song book to print.
#include <ostream>
#include <sstream>
#include <string>

#include "cli/command.h"
#include "cli/console_views.h"
#include "cli/terminal.h"
#include "platform/env.h"
#include "run/replacing_file.h"
#include "text/gbk.h"
#include "ui/ufrmMain.h"

namespace {

constexpr const char* kUsage =
    "export VOD.TXT [--csv OUT.csv] [--book OUT.html [--by initials|number]]";

struct TOptions {
  std::string vod, csv, book;  // GBK
  TBookOrder order = TBookOrder::kPinyin;
};

std::string Parse(const std::vector<std::string>& args, TOptions& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "--csv" || a == "--book" || a == "--by";
    if (takesValue && i + 1 >= args.size()) return a + " needs a value";
    std::string* path = a == "--csv" ? &o.csv : a == "--book" ? &o.book : nullptr;
    if (a == "--by") {
      const std::string& by = args[++i];
      if (by != "initials" && by != "number") return "--by takes initials or number, not " + by;
      o.order = by == "number" ? TBookOrder::kNumber : TBookOrder::kPinyin;
      continue;
    }
    if (path == nullptr && a.starts_with("--")) return "unknown option " + a;
    if (path == nullptr && !o.vod.empty()) return "one vod.txt only";
    const std::string& value = path != nullptr ? args[++i] : a;
    const auto gbk = gbk::TryFromUtf8(value);
    if (!gbk) return "the file name has no GBK form: " + value;
    *(path != nullptr ? path : &o.vod) = platform::FullPath(*gbk);
  }
  if (o.vod.empty()) return "give the vod.txt";
  if (o.csv.empty() && o.book.empty()) return "give --csv or --book";
  return "";
}

int RunExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TOptions o;
  if (const std::string error = Parse(args, o); !error.empty()) {
    err << "addsongs-cli export: " << error << "\nusage: addsongs-cli " << kUsage << "\n";
    return 2;
  }
  platform::Env& env = *platform::Env::Default();
  if (!env.FileExists(o.vod)) {
    err << "addsongs-cli export: " << cli::ForTerminal(o.vod)
        << ": no such file, or not a regular file\n";
    return 2;
  }
  cli::TConsoleAnswers answers;
  answers.loadFile = o.vod;
  std::ostringstream shown;  // the window's start-up talk, told only when it fails
  cli::TConsoleView view(answers, shown, false);
  TfrmMain form(view);
  view.SetForm(&form);
  form.FormCreate();
  if (form.Terminated()) {
    err << shown.str() << "addsongs-cli export: " << cli::ForTerminal(o.vod)
        << " is no vod.txt of a known product line\n";
    return 2;
  }
  view.Drain();
  const int songs = form.Grid().RowCount();
  try {
    if (!o.csv.empty()) {
      TReplacingFile::Write(env, o.csv, form.ListCsv());
      out << "wrote " << songs << " songs to " << cli::ForTerminal(o.csv) << "\n";
    }
    if (!o.book.empty()) {
      TReplacingFile::Write(env, o.book, form.SongBook(o.order));
      out << "wrote the song book of " << songs << " songs to " << cli::ForTerminal(o.book) << "\n";
    }
  } catch (const std::exception& e) {
    err << "addsongs-cli export: " << cli::ForTerminal(e.what()) << "\n";
    return 2;
  }
  return 0;
}

const cli::Registration kExport({"export", kUsage,
                                 "writes the songs of a vod.txt as the window's grid shows them: "
                                 "a CSV table (UTF-8, for Excel or WPS; add --csv takes it back) "
                                 "and a song book to print (HTML)",
                                 RunExport});

}  // namespace
