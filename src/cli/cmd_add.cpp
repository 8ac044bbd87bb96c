// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli add: the whole job without a window. It plays the forms as a
// user would: picks the product line (or opens a vod.txt), adds the files
// through the new-song dialog, runs "开始加歌" and answers the save hint.
#include <algorithm>
#include <ostream>
#include <string>

#include "cli/command.h"
#include "cli/console_views.h"
#include "cli/terminal.h"
#include "formats/product_lines.h"
#include "media/probe.h"
#include "platform/console.h"
#include "platform/env.h"
#include "text/gbk.h"
#include "ui/delimited_text.h"
#include "ui/grid_rules.h"
#include "ui/ufrmMain.h"

namespace {

// "oru|tarvel|mirel|dovan": the product lines' console names, joined.
std::string ProductNames(const char* between) {
  std::string names;
  for (const auto& line : ProductLines()) {
    names += (names.empty() ? "" : between) + std::string(line.consoleName);
  }
  return names;
}

std::string Usage() {
  return "add [--line " + ProductNames("|") +
         "] [--start NNNN] [--load VOD.TXT] (--usb | --to FOLDER) "
         "[--merge | --replace] [--name-order title-singer|singer-title] "
         "[--allow-duplicates | --skip-duplicates] [--remove-unlisted] [--no-verify] "
         "[--per-character-pinyin] [--csv FILE] FILE...";
}

std::string Help() {
  const std::string example = ProductLines().front().consoleName;
  return "usage: addsongs-cli " + Usage() +
         "\n"
         "\n"
         "Adds the video FILEs as new songs of a jukebox, as the desktop program does:\n"
         "writes vod.txt in the product line's format and copies each file as 66NNNN.dat\n"
         "into the vod folder of the USB disk (--usb) or of FOLDER (--to FOLDER gives\n"
         "FOLDER/vod/, made when missing). Title and singer come from the file name\n"
         "(title-singer.ext, a leading track number such as \"01.\" left out);\n"
         "pinyin, strokes and word count from the title, the pinyin initials read by\n"
         "words as customers type them (重庆森林: CQSL).\n"
         "\n"
         "  --line L       the product line: " +
         ProductNames(", ") +
         "\n"
         "  --start NNNN   the four-digit number of the first file (default: the one\n"
         "                 after the highest number of the songs kept, 0000 on a new list)\n"
         "  --load FILE    an existing vod.txt: its product line is recognised and its\n"
         "                 songs are kept (their .dat files must be beside it); --line\n"
         "                 may then be left out, and must agree when given\n"
         "  --usb          put the songs on the USB disk: the first volume on the USB\n"
         "                 bus or with removable media (its name is printed)\n"
         "  --to FOLDER    put the songs into FOLDER/vod/ (FOLDER itself when it is a\n"
         "                 stick's vod folder: named vod and holding vod.txt or\n"
         "                 66NNNN.dat files)\n"
         "  --merge        the target already holds songs: keep them and add the new\n"
         "                 songs after them (new songs numbered after the kept ones,\n"
         "                 unless --start is given: then a clash is refused)\n"
         "  --replace      the target already holds songs: the new vod.txt lists only\n"
         "                 the new songs (the old list goes; no file is deleted; the old\n"
         "                 list is kept on this computer: addsongs-cli restore)\n"
         "  --name-order ORDER\n"
         "                 how the files are named: title-singer (歌名-歌手, the\n"
         "                 default) or singer-title (歌手-歌名)\n"
         "  --allow-duplicates\n"
         "                 go on when a song is in the list twice (same title and\n"
         "                 singers, a duet's singers in any order, loaded songs\n"
         "                 included) or a video is added twice; without it such a run\n"
         "                 is refused (exit status 1), naming them\n"
         "  --skip-duplicates\n"
         "                 leave out the new songs that repeat another (the first of\n"
         "                 them, or the song on the stick, stays)\n"
         "  --remove-unlisted\n"
         "                 remove the target's 66NNNN.dat files that no list names\n"
         "                 (left by another tool, or by a run pulled out half way);\n"
         "                 without it they are kept and the new songs numbered past them\n"
         "  --no-verify    do not read the files back from the target after writing\n"
         "                 them (by default every .dat and vod.txt written is read back\n"
         "                 from the device and compared: a counterfeit or failing stick\n"
         "                 that threw data away makes the run fail with exit status 3)\n"
         "  --per-character-pinyin\n"
         "                 read the pinyin initials character by character (重庆森林:\n"
         "                 ZQSL), as the window does when set to 逐字读音\n"
         "  --csv FILE     corrections per file: a UTF-8 table whose first row holds\n"
         "                 the grid's captions (视频文件 names the file, then e.g.\n"
         "                 歌曲名称, 歌星, 语种, 分类, 新歌); empty cells keep the derived\n"
         "                 value; drop-down columns take a name of their list or its\n"
         "                 code, check boxes 1/0\n"
         "\n"
         "A target that already holds songs (a vod.txt or 66NNNN.dat files that are\n"
         "not among the songs added or loaded here) is never replaced silently:\n"
         "without --merge or --replace the run is refused, naming how many songs\n"
         "are there, and nothing is written. Lines of a vod.txt that cannot be read\n"
         "as songs are named and kept as they are at the end of the new vod.txt.\n"
         "A 66NNNN.dat on the target that holds the same bytes as the file of song\n"
         "NNNN (the file of a run that did not end) is not copied again.\n"
         "The target's songs and the new ones together are at most 99: the run is\n"
         "refused, saying how many more fit.\n"
         "\n"
         "Before a run changes the target's vod.txt, the list as it was is kept on\n"
         "this computer (addsongs-cli restore lists and puts back those copies).\n"
         "\n"
         "Every message the program shows is printed. Exit status: 0 done; 1 refused\n"
         "(a check, songs already on the target without --merge or --replace, a\n"
         "number clash, too little space, the target in use by another run, too few\n"
         "file entries or a video too large for its file system, the old list not\n"
         "kept on this computer; nothing is written then; also songs in the list\n"
         "twice without --allow-duplicates);\n"
         "2 bad arguments or unreadable input; 3 a copy error (what was copied and\n"
         "what not is printed), files that did not read back as written (the stick\n"
         "may be counterfeit), or a stick that could not be read back (pulled out or\n"
         "failing); the list then names only songs whose files are right.\n"
         "\n"
         "example:\n"
         "  addsongs-cli add --line " +
         example + " --start 0100 --to /tmp/out 情歌-歌手甲.mpg\n";
}

struct TOptions {
  std::uint8_t product = 0;
  std::string start;
  std::string load;  // GBK
  bool usb = false;
  bool to = false;
  std::string folder;              // GBK
  std::string csv;                 // GBK
  std::vector<std::string> files;  // GBK
  cli::TConsoleAnswers::TExisting existing = cli::TConsoleAnswers::TExisting::kRefuse;
  bool verify = true;
  std::optional<TNameOrder> nameOrder;
  bool allowDuplicates = false;
  bool skipDuplicates = false;
  bool removeUnlisted = false;
  TPinyinReading pinyin = TPinyinReading::kPhrases;
};

// The options, or an error text for the user (UTF-8).
std::string Parse(const std::vector<std::string>& args, TOptions& o) {
  auto gbkPath = [](const std::string& utf8, std::string& into) -> std::string {
    const TChosenPaths path = GbkPathsOf({utf8});
    if (path.gbk.empty()) return "the name has no GBK form: " + utf8;
    into = path.gbk.front();
    return "";
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "--line" || a == "--start" || a == "--load" || a == "--to" ||
                            a == "--csv" || a == "--name-order";
    if (takesValue && i + 1 >= args.size()) return a + " needs a value";
    std::string error;
    if (a == "--line") {
      const TProductLineInfo* product = FindProductLine(args[++i]);
      if (product == nullptr) {
        return "unknown product line '" + args[i] + "' (" + ProductNames(", ") + ")";
      }
      o.product = product->code;
    } else if (a == "--start") {
      o.start = args[++i];
      if (!IsSongNumber(o.start)) return "--start takes four digits, not '" + o.start + "'";
    } else if (a == "--load") {
      error = gbkPath(args[++i], o.load);
    } else if (a == "--usb") {
      o.usb = true;
    } else if (a == "--no-verify") {
      o.verify = false;
    } else if (a == "--allow-duplicates") {
      o.allowDuplicates = true;
    } else if (a == "--skip-duplicates") {
      o.skipDuplicates = true;
    } else if (a == "--remove-unlisted") {
      o.removeUnlisted = true;
    } else if (a == "--per-character-pinyin") {
      o.pinyin = TPinyinReading::kPerCharacter;
    } else if (a == "--name-order") {
      const std::string& order = args[++i];
      o.nameOrder = NameOrderFromText(order);
      if (!o.nameOrder) {
        return "--name-order takes title-singer or singer-title, not '" + order + "'";
      }
    } else if (a == "--merge" || a == "--replace") {
      using E = cli::TConsoleAnswers::TExisting;
      const E chosen = a == "--merge" ? E::kMerge : E::kReplace;
      if (o.existing != E::kRefuse && o.existing != chosen) {
        return "give either --merge or --replace";
      }
      o.existing = chosen;
    } else if (a == "--to") {
      o.to = true;
      error = gbkPath(args[++i], o.folder);
    } else if (a == "--csv") {
      error = gbkPath(args[++i], o.csv);
    } else if (a.starts_with("--")) {
      return "unknown option " + a;
    } else {
      o.files.emplace_back();
      error = gbkPath(a, o.files.back());
    }
    if (!error.empty()) return error;
  }
  if (o.usb == o.to) return "give either --usb or --to FOLDER";
  if (o.allowDuplicates && o.skipDuplicates) {
    return "give either --allow-duplicates or --skip-duplicates";
  }
  if (o.product == 0 && o.load.empty()) return "give --line or --load";
  if (o.files.empty()) return "no video FILE given";
  return "";
}

// Refuses, before anything is written, an input file that is not there.
std::string CheckInputs(const TOptions& o, platform::Env& env) {
  std::vector<std::string> inputs = o.files;
  if (!o.load.empty()) inputs.push_back(o.load);
  if (!o.csv.empty()) inputs.push_back(o.csv);
  for (const auto& file : inputs) {
    if (!env.FileExists(file)) {
      return cli::ForTerminal(file) + ": no such file, or not a regular file";
    }
  }
  return "";
}

// The corrections of the CSV table applied as the user's edits of the grid.
// An error text (UTF-8) when the table does not fit the grid.
std::string ApplyCsv(const std::string& bytes, TfrmMain& form) {
  std::vector<TTextRow> rows;
  try {
    rows = ParseCsv(bytes);
  } catch (const std::exception& e) {
    return e.what();
  }
  std::vector<TStringList> table;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    table.emplace_back();
    for (const std::string& field : rows[r]) {
      const auto text = gbk::TryFromUtf8(field);
      if (!text) {
        return "table row " + std::to_string(r + 1) + ": the text has no GBK form: " + field;
      }
      table.back().push_back(*text);
    }
  }
  using Why = TfrmMain::TCorrectionFault::Why;
  const TfrmMain::TCorrectionFault fault = form.ApplyCorrections(table);
  const std::string where = "table row " + std::to_string(fault.tableRow) + ": ";
  const std::string at = where + "column " + cli::ForTerminal(fault.column) + ": ";
  const std::string value = cli::ForTerminal(fault.value);
  switch (fault.why) {
    case Why::kNone:
      return "";
    case Why::kEmptyTable:
      return "the table is empty";
    case Why::kUnknownColumn:
      return "no column '" + cli::ForTerminal(fault.column) +
             "' can be corrected for this product line";
    case Why::kNoFileColumn:
      return "the table has no column " + cli::ForTerminal(fault.column);
    case Why::kFieldCount:
      return where + "wrong number of fields";
    case Why::kNoSuchFile:
      return where + "no added file " + value;
    case Why::kNotACheck:
      return at + "a check box takes 1 or 0, not " + value;
    case Why::kBreaksList:
      return at + "a ';', a line break or a control character cannot go into vod.txt: " + value;
    case Why::kOutOfRange:
      return at + "'" + value + "' is no whole number from " + fault.allowed[0] + " to " +
             fault.allowed[1];
    case Why::kNotAChoice: {
      std::string allowed;
      for (const auto& name : fault.allowed) allowed += (allowed.empty() ? "" : ", ") + name;
      return at + "'" + value + "' is none of " + cli::ForTerminal(allowed) + " (or their codes)";
    }
  }
  return "";
}

int RunAdd(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (std::find(args.begin(), args.end(), "--help") != args.end()) {
    out << Help();
    return 0;
  }
  TOptions o;
  if (const std::string error = Parse(args, o); !error.empty()) {
    err << "addsongs-cli add: " << error << "\nusage: addsongs-cli " << Usage() << "\n";
    return 2;
  }
  platform::Env& env = *platform::Env::Default();
  if (const std::string error = CheckInputs(o, env); !error.empty()) {
    err << "addsongs-cli add: " << error << "\n";
    return 2;
  }
  std::string csv;
  if (!o.csv.empty()) {
    try {
      csv = platform::ReadWholeFile(env, o.csv);
    } catch (const std::exception& e) {
      err << "addsongs-cli add: " << cli::ForTerminal(e.what()) << "\n";
      return 2;
    }
  }

  cli::TConsoleAnswers answers;
  answers.product = o.load.empty() ? o.product : 0;
  answers.loadFile = o.load.empty() ? "" : platform::FullPath(o.load);
  answers.startNumber = o.start;
  // A file dialog gives full paths; the folder of the last one is remembered.
  for (const auto& file : o.files) answers.files.push_back(platform::FullPath(file));
  answers.toUsb = o.usb;
  answers.folder = o.folder;
  answers.existing = o.existing;
  answers.nameOrder = o.nameOrder;
  answers.allowDuplicates = o.allowDuplicates;
  answers.skipDuplicates = o.skipDuplicates;
  answers.removeUnlisted = o.removeUnlisted;
  cli::TConsoleView view(answers, out, platform::StdoutIsTerminal());
  TfrmMain form(view);
  view.SetForm(&form);
  // Every video is looked at before it becomes a song.
  const auto probe = media::NewMediaProbe(env);
  form.SetMediaProbe(probe.get(), TMediaQueue::DefaultWorkers());
  form.SetVerifyCopies(o.verify);
  form.SetPinyinReading(o.pinyin);

  form.FormCreate();
  if (form.Terminated()) {
    err << "addsongs-cli add: no product line was chosen\n";
    return 2;
  }
  if (o.product != 0 && form.ProductLine() != o.product) {
    err << "addsongs-cli add: " << cli::ForTerminal(o.load)
        << " is a vod.txt of another product line than --line\n";
    return 2;
  }
  view.Drain();

  const int before = form.Grid().RowCount();
  form.btnAddClick();
  form.AwaitMedia();
  view.Drain();
  if (form.Grid().RowCount() - before != static_cast<int>(o.files.size())) {
    err << "addsongs-cli add: not every file could be added\n";
    return 2;
  }
  if (!csv.empty()) {
    if (const std::string error = ApplyCsv(csv, form); !error.empty()) {
      err << "addsongs-cli add: " << cli::ForTerminal(o.csv) << ": " << error << "\n";
      return 2;
    }
    view.Drain();
  }
  out << cli::ForTerminal(view.Status()) << "\n";

  form.btnCompleteClick();
  view.Drain();
  switch (form.LastRun()) {
    case TfrmMain::TRunResult::kDone:
      return 0;
    case TfrmMain::TRunResult::kFailed:
      return 3;
    default:
      return 1;
  }
}

const cli::Registration kAdd({"add", Usage(),
                              "adds video files as new songs: writes vod.txt and copies each "
                              "file as 66NNNN.dat onto the USB disk or into a folder (add "
                              "--help tells more)",
                              RunAdd});

}  // namespace
