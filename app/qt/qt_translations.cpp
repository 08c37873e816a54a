#include "app/qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zelvorn {

QTranslator* LoadQtChineseTexts(QCoreApplication& application) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
    delete translator;
    qWarning("Qt's Chinese texts (qtbase_zh_CN.qm) are missing from %s; Qt's menus stay English.",
             qPrintable(folder));
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace zelvorn
