// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli restore: puts back an earlier song list of a stick, from the
// copies this computer kept before runs changed it, as the window's
// "恢复以前的歌曲列表…" does.
#include <ostream>
#include <string>

#include "cli/command.h"
#include "cli/console_views.h"
#include "cli/terminal.h"
#include "platform/console.h"
#include "platform/env.h"
#include "run/target_dir.h"
#include "text/gbk.h"
#include "ui/grid_rules.h"
#include "ui/ufrmRestoreList.h"

namespace {

std::string Usage() {
  return "restore (--usb | --to FOLDER) [--copy N]";
}

std::string Help() {
  return "usage: addsongs-cli " + Usage() +
         "\n"
         "\n"
         "Before a run changes the song list of a stick (vod.txt), the list as it was is\n"
         "kept on this computer (a few copies per stick, the oldest dropped). Without\n"
         "--copy this lists the copies kept of the list of the USB disk (--usb) or of\n"
         "FOLDER/vod/ (--to FOLDER), newest first, with when each was taken and how many\n"
         "songs it lists. --copy N puts copy N (1: the newest) back as the list; the list\n"
         "there now is kept first. A song whose video file (66NNNN.dat) was since given\n"
         "to another song or removed is left out of the list put back, and named.\n"
         "\n"
         "Exit status: 0 listed or put back; 1 no copy kept, or no copy N; 2 bad\n"
         "arguments; 3 the list could not be put back (the stick's list is as it was).\n";
}

int RunRestore(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool usb = false;
  bool to = false;
  std::string folder;
  int copy = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help") {
      out << Help();
      return 0;
    }
    if ((a == "--to" || a == "--copy") && i + 1 >= args.size()) {
      err << "addsongs-cli restore: " << a << " needs a value\n";
      return 2;
    }
    if (a == "--usb") {
      usb = true;
    } else if (a == "--to") {
      to = true;
      const TChosenPaths path = GbkPathsOf({args[++i]});
      if (path.gbk.empty()) {
        err << "addsongs-cli restore: the name has no GBK form: " << args[i] << "\n";
        return 2;
      }
      folder = path.gbk.front();
    } else if (a == "--copy") {
      const std::string& n = args[++i];
      const bool digits =
          !n.empty() && n.size() <= 2 && n.find_first_not_of("0123456789") == std::string::npos;
      copy = digits ? std::stoi(n) : 0;
      if (copy <= 0) {
        err << "addsongs-cli restore: --copy takes the number of a copy (1: the newest), not '" << n
            << "'\n";
        return 2;
      }
    } else {
      err << "addsongs-cli restore: unknown argument " << a << "\nusage: addsongs-cli " << Usage()
          << "\n";
      return 2;
    }
  }
  if (usb == to) {
    err << "addsongs-cli restore: give either --usb or --to FOLDER\n";
    return 2;
  }
  platform::Env& env = *platform::Env::Default();
  const std::string vodDir = usb ? UsbVodFolder(env) : VodFolderIn(folder, env.PathSeparator());
  if (vodDir.empty()) {
    err << "addsongs-cli restore: no USB disk found\n";
    return 1;
  }
  cli::TConsoleAnswers answers;
  answers.restoreCopy = copy - 1;
  cli::TConsoleView view(answers, out, platform::StdoutIsTerminal());
  TfrmRestoreList restore(
      &env, [&](const TQuestion& q) { return view.Ask(q); },
      [&](const std::string& c, const std::string& t, int k) { view.ShowBox(c, t, k); });
  switch (restore.Offer(vodDir)) {
    case TfrmRestoreList::TResult::kRestored:
      return 0;
    case TfrmRestoreList::TResult::kCancelled:
      return copy == 0 ? 0 : 1;
    case TfrmRestoreList::TResult::kNoCopies:
      return 1;
    case TfrmRestoreList::TResult::kFailed:
      return 3;
  }
  return 3;
}

const cli::Registration kRestore({"restore", Usage(),
                                  "lists the copies this computer kept of a stick's song list, "
                                  "or puts one back (restore --help tells more)",
                                  RunRestore});

}  // namespace
