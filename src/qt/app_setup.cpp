#include "qt/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// The window icon is compiled into this library; a static library's
// resources are registered by hand.
static void RegisterResources() {
  Q_INIT_RESOURCE(addsongs);
}

namespace qtui {

void PreferChineseLocale() {
  const QByteArray lang = qgetenv("LANG");
  if (qEnvironmentVariableIsEmpty("LC_ALL") &&
      (lang.isEmpty() || lang == "C" || lang == "POSIX" || lang.startsWith("C."))) {
    qputenv("LANG", "zh_CN.UTF-8");
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
