#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zelvorn {

bool LoadQtChineseTexts(QCoreApplication& application) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
    delete translator;
    qWarning("Qt's Chinese texts (qtbase_zh_CN.qm) are missing from %s; Qt's menus stay English.",
             qPrintable(folder));
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace zelvorn
