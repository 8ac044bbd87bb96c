// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>
#include <string>

// The window icon is compiled into this library; a static library's
// resources are registered by hand.
static void RegisterResources() {
  Q_INIT_RESOURCE(addsongs);
}

namespace qtui {

namespace {
// Whether the system has the locale installed (the C library can take it).
bool Installed(const char* locale) {
  const char* before = std::setlocale(LC_ALL, nullptr);
  const std::string kept = before != nullptr ? before : "C";
  const bool taken = std::setlocale(LC_ALL, locale) != nullptr;
  std::setlocale(LC_ALL, kept.c_str());
  return taken;
}
}  // namespace

void PreferChineseLocale() {
  const QByteArray lang = qgetenv("LANG");
  if (!qEnvironmentVariableIsEmpty("LC_ALL") ||
      !(lang.isEmpty() || lang == "C" || lang == "POSIX" || lang.startsWith("C."))) {
    return;
  }
  // A locale that is not installed would leave the window manager to read
  // the window's name in the wrong encoding: then UTF-8 without Chinese.
  for (const char* locale : {"zh_CN.UTF-8", "C.UTF-8"}) {
    if (Installed(locale)) {
      qputenv("LANG", locale);
      return;
    }
  }
}

void SetUpApplication(QApplication& app) {
  RegisterResources();
  QApplication::setOrganizationName("addsongs");
  QApplication::setApplicationName("addsongs");
  app.setWindowIcon(QIcon(":/addsongs.png"));
  // Qt's own texts ("OK", the file dialog's columns) and dates in Chinese,
  // like the rest of the windows.
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  static QTranslator chinese;
  if (chinese.load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_",
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&chinese);
  }
  QFont font = QApplication::font();
  font.setFamilies({"SimSun", "宋体", "NSimSun", "Noto Sans CJK SC", "Noto Sans SC",
                    "WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "Microsoft YaHei"});
  font.setPixelSize(14);
  QApplication::setFont(font);
}

}  // namespace qtui
