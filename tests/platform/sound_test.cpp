#include "platform/sound.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>

#include "platform/deferred_wave_player.h"

namespace zelvorn {
namespace {

// A tenth of a second of a quiet tone, 16-bit mono PCM.
QByteArray ToneWav() {
  constexpr int kRate = 22050;
  QByteArray samples;
  for (int i = 0; i < kRate / 10; ++i) {
    const auto sample = static_cast<qint16>(4000 * std::sin(i * 0.25));
    samples.append(reinterpret_cast<const char*>(&sample), 2);
  }
  QByteArray wav;
  auto u32 = [&](quint32 v) {
    v = qToLittleEndian(v);
    wav.append(reinterpret_cast<char*>(&v), 4);
  };
  auto u16 = [&](quint16 v) {
    v = qToLittleEndian(v);
    wav.append(reinterpret_cast<char*>(&v), 2);
  };
  wav.append("RIFF");
  u32(36 + samples.size());
  wav.append("WAVEfmt ");
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(kRate);
  u32(kRate * 2);
  u16(2);
  u16(16);
  wav.append("data");
  u32(samples.size());
  return wav + samples;
}

class SoundTest : public ::testing::Test {
 protected:
  std::string Write(const char* name, const QByteArray& content) {
    const QString path = dir_.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path.toStdString();
  }

  QTemporaryDir dir_;
  int beeps_ = 0;
  TQtWavePlayer player_{[this] { ++beeps_; }};
};

TEST_F(SoundTest, AMissingFileOrADirectoryBeepsAtOnce) {
  for (const std::string& path :
       {dir_.filePath("snd.wav").toStdString(), dir_.path().toStdString(), std::string()}) {
    const int before = beeps_;
    player_.PlayAsync(path);
    EXPECT_EQ(beeps_, before + 1) << path;
    EXPECT_EQ(player_.CachedEffect(path), nullptr) << path;
  }
}

TEST_F(SoundTest, APlayableFileIsLoadedOnceAndPlayedWithoutBeep) {
  const std::string path = Write("snd.wav", ToneWav());
  player_.PlayAsync(path);
  const QSoundEffect* effect = player_.CachedEffect(path);
  ASSERT_NE(effect, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return effect->status() == QSoundEffect::Ready; }, 5000));
  player_.PlayAsync(path);
  EXPECT_EQ(player_.CachedEffect(path), effect);
  EXPECT_EQ(beeps_, 0);
}

TEST_F(SoundTest, AnUnplayableFileBeepsOnceDecodedAndAtOnceAfterwards) {
  const std::string path = Write("snd.wav", "not a wave file at all");
  player_.PlayAsync(path);
  EXPECT_EQ(beeps_, 0);  // decoding happens after the call has returned
  EXPECT_TRUE(QTest::qWaitFor([&] { return beeps_ == 1; }, 5000));
  EXPECT_EQ(player_.CachedEffect(path), nullptr);
  player_.PlayAsync(path);
  EXPECT_EQ(beeps_, 2);
  EXPECT_EQ(player_.CachedEffect(path), nullptr);
}

TEST_F(SoundTest, PreloadingGetsTheFileReadyWithoutPlayingOrBeeping) {
  const std::string path = Write("snd.wav", ToneWav());
  player_.Preload(path);
  player_.Preload(dir_.filePath("missing.wav").toStdString());
  const QSoundEffect* effect = player_.CachedEffect(path);
  ASSERT_NE(effect, nullptr);
  EXPECT_FALSE(effect->isPlaying());
  EXPECT_EQ(beeps_, 0);
}

TEST_F(SoundTest, TheAudioModuleLoadsOnlyWhenASoundIsFirstNeeded) {
  TDeferredWavePlayer player(QStringLiteral(ZELVORN_WAVE_MODULE), [this] { ++beeps_; });
  EXPECT_FALSE(player.Loaded());
  player.Preload(Write("snd.wav", ToneWav()));
  EXPECT_TRUE(player.Loaded());
  EXPECT_EQ(beeps_, 0);
}

TEST_F(SoundTest, WithoutTheAudioModuleEverySoundIsTheDefaultOne) {
  TDeferredWavePlayer player(dir_.filePath("no_such_module"), [this] { ++beeps_; });
  const std::string path = Write("snd.wav", ToneWav());
  player.Preload(path);
  EXPECT_EQ(beeps_, 0);
  player.PlayAsync(path);
  player.PlayAsync(path);
  EXPECT_EQ(beeps_, 2);
  EXPECT_FALSE(player.Loaded());
}

}  // namespace
}  // namespace zelvorn
