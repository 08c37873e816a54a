#include "platform/qt/wave_player.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>

#include "platform/error_boundary.h"
#include "platform/qt/deferred_wave_player.h"
#include "platform/wave_file.h"

namespace zelvorn {
namespace {

QByteArray U32(quint32 v) {
  v = qToLittleEndian(v);
  return QByteArray(reinterpret_cast<const char*>(&v), 4);
}

QByteArray U16(quint16 v) {
  v = qToLittleEndian(v);
  return QByteArray(reinterpret_cast<const char*>(&v), 2);
}

QByteArray Chunk(const char* name, const QByteArray& body) {
  return name + U32(body.size()) + body;
}

// 16-bit mono at 22.05 kHz in `codec` (1: PCM).
QByteArray FormatChunk(quint16 codec = 1) {
  constexpr quint32 kRate = 22050;
  return Chunk("fmt ", U16(codec) + U16(1) + U32(kRate) + U32(kRate * 2) + U16(2) + U16(16));
}

QByteArray Riff(const QByteArray& chunks) {
  return "RIFF" + U32(4 + chunks.size()) + "WAVE" + chunks;
}

// A tenth of a second of a quiet tone.
QByteArray ToneSamples() {
  QByteArray samples;
  for (int i = 0; i < 2205; ++i) samples += U16(static_cast<qint16>(4000 * std::sin(i * 0.25)));
  return samples;
}

QByteArray ToneWav(quint16 codec = 1) {
  return Riff(FormatChunk(codec) + Chunk("data", ToneSamples()));
}

// Complete but for its last `missing` bytes.
QByteArray CutShort(const QByteArray& file, int missing) {
  return file.left(file.size() - missing);
}

TEST(WaveFileTest, OnlyAWholeStructureWithAFrameOfDataCounts) {
  const QByteArray tone = ToneWav();
  const QByteArray list = Chunk("LIST", "INFOx");  // odd size: a pad byte follows
  const struct {
    const char* name;
    QByteArray file;
    bool complete;
  } cases[] = {
      {"tone", tone, true},
      {"other codec", ToneWav(3), true},  // the codec is the decoder's business
      {"odd chunk before the data",
       Riff(FormatChunk() + list + QByteArray(1, '\0') + Chunk("data", "ab")), true},
      {"one frame", Riff(FormatChunk() + Chunk("data", "ab")), true},
      {"empty", {}, false},
      {"RIFF header only", "RIFF" + U32(4) + "WAVE", false},
      {"not WAVE", tone.left(8) + "AVI " + tone.mid(12), false},
      {"text", "not a wave file at all", false},
      {"header without samples", tone.left(44), false},
      {"data cut short", CutShort(tone, 1), false},
      {"no data chunk", Riff(FormatChunk()), false},
      {"half a frame", Riff(FormatChunk() + Chunk("data", "a")), false},
      {"data before the format", Riff(Chunk("data", "ab") + FormatChunk()), false},
      {"pad byte missing before data", Riff(FormatChunk() + list + Chunk("data", "ab")), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsCompleteWave(std::string_view(c.file.constData(), c.file.size())), c.complete)
        << c.name;
  }
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
  TQtWavePlayer player_{ReportError, [this] { ++beeps_; }};
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

// Qt would keep these loading for ever without a word.
TEST_F(SoundTest, AnIncompleteFileBeepsAtOnceEveryTime) {
  const QByteArray tone = ToneWav();
  for (const QByteArray& content : {QByteArray(), tone.left(44), CutShort(tone, 1)}) {
    const std::string path = Write("snd.wav", content);
    TQtWavePlayer player(ReportError, [this] { ++beeps_; });
    player.Preload(path);
    EXPECT_EQ(beeps_, 0);
    player.PlayAsync(path);
    player.PlayAsync(path);
    EXPECT_EQ(beeps_, 2) << content.size();
    EXPECT_EQ(player.CachedEffect(path), nullptr) << content.size();
    beeps_ = 0;
  }
}

TEST_F(SoundTest, AFileTheDecoderRefusesBeepsOnceDecodedAndAtOnceAfterwards) {
  const std::string path = Write("snd.wav", ToneWav(0x55));  // MPEG audio in a WAVE file
  player_.PlayAsync(path);
  EXPECT_EQ(beeps_, 0);  // decoding happens after the call has returned
  EXPECT_TRUE(QTest::qWaitFor([&] { return beeps_ == 1; }, 5000));
  EXPECT_EQ(player_.CachedEffect(path), nullptr);
  player_.PlayAsync(path);
  EXPECT_EQ(beeps_, 2);
}

TEST_F(SoundTest, PreloadingGetsTheFileReadyWithoutPlayingOrBeeping) {
  const std::string path = Write("snd.wav", ToneWav());
  player_.Preload(path);
  player_.Preload(dir_.filePath("missing.wav").toStdString());
  const QSoundEffect* effect = player_.CachedEffect(path);
  ASSERT_NE(effect, nullptr);
  // Qt decodes on a thread of its own; a test that ended before it finished would leave its
  // loader behind.
  EXPECT_TRUE(QTest::qWaitFor([&] { return effect->status() == QSoundEffect::Ready; }, 5000));
  EXPECT_FALSE(effect->isPlaying());
  EXPECT_EQ(beeps_, 0);
}

TEST_F(SoundTest, TheAudioModuleLoadsOnlyWhenASoundIsFirstNeeded) {
  TDeferredWavePlayer player(QStringLiteral(ZELVORN_WAVE_MODULE), [this] { ++beeps_; });
  EXPECT_FALSE(player.Loaded());
  // An empty file, so that no decoding starts: only the module's loading is looked at here.
  player.Preload(Write("snd.wav", QByteArray()));
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
