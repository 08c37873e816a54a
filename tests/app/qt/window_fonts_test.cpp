// The window as fontconfig's own defaults draw it, on a system that has nothing but DejaVu,
// against the window on this system, which has the Chinese faces and Debian's rendering rules.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace zelvorn {
namespace {

constexpr const char* kDejaVuOnly =
    "<?xml version=\"1.0\"?>\n"
    "<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
    "<fontconfig>\n"
    "  <dir>/usr/share/fonts/truetype/dejavu</dir>\n"
    "  <cachedir>%1</cachedir>\n"
    "</fontconfig>\n";

// The probe's window after 开始训练, saved by it as an image.
QImage Window(const QString& path, const QProcessEnvironment& environment) {
  QProcess probe;
  probe.setProcessEnvironment(environment);
  probe.start(QStringLiteral(ZELVORN_APP_PROBE), {QStringLiteral("window"), path});
  EXPECT_TRUE(probe.waitForFinished(60000));
  EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardOutput().toStdString()
                                 << probe.readAllStandardError().toStdString();
  return QImage(path).convertToFormat(QImage::Format_RGB32);
}

int DifferingPixels(const QImage& a, const QImage& b, const QRect& area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
  }
  return count;
}

TEST(WindowFontsTest, TheWindowIsDrawnAlikeWithOnlyDejaVuAndWithTheSystemsFonts) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile config(dir.filePath(QStringLiteral("fonts.conf")));
  ASSERT_TRUE(config.open(QIODevice::WriteOnly));
  config.write(
      QString::fromLatin1(kDejaVuOnly).arg(dir.filePath(QStringLiteral("cache"))).toUtf8());
  config.close();
  QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
  system.remove(QStringLiteral("FONTCONFIG_FILE"));
  QProcessEnvironment dejavu_only = system;
  dejavu_only.insert(QStringLiteral("FONTCONFIG_FILE"), config.fileName());

  const QImage usual = Window(dir.filePath(QStringLiteral("usual.png")), system);
  const QImage bare = Window(dir.filePath(QStringLiteral("dejavu.png")), dejavu_only);
  ASSERT_EQ(usual.size(), QSize(568, 604));
  ASSERT_EQ(bare.size(), usual.size());
  // The strip holds the Chinese captions and the clock, the board the numbers in DejaVu.
  EXPECT_EQ(DifferingPixels(usual, bare, QRect(0, 0, 568, 70)), 0);
  EXPECT_EQ(DifferingPixels(usual, bare, QRect(0, 70, 568, 534)), 0);
}

}  // namespace
}  // namespace zelvorn
