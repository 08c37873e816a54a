// Writes the wrong-click sound: a soft 150 ms tone that glides down a fourth, with a quick fade
// in and a longer fade out, as 16-bit mono PCM at 44.1 kHz. The same file comes out every time.
//
// Usage: make_sound <output.wav>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <vector>

namespace {

constexpr int kSampleRate = 44100;
constexpr double kSeconds = 0.150;
constexpr double kStartHz = 523.25;  // C5
constexpr double kEndHz = 392.00;    // G4: falling reads as "no"
constexpr double kFadeInSeconds = 0.008;
constexpr double kFadeOutSeconds = 0.070;
constexpr double kPeak = 0.30;  // well below full scale: a hint, not an alarm

std::vector<std::int16_t> Synthesize() {
  const int count = static_cast<int>(kSeconds * kSampleRate);
  std::vector<std::int16_t> samples;
  samples.reserve(static_cast<std::size_t>(count));
  double phase = 0;
  for (int n = 0; n < count; ++n) {
    const double t = static_cast<double>(n) / kSampleRate;
    const double progress = t / kSeconds;
    // An exponential glide sounds even to the ear; the phase is accumulated so it stays smooth.
    const double hz = kStartHz * std::pow(kEndHz / kStartHz, progress);
    phase += 2 * std::numbers::pi * hz / kSampleRate;
    // A touch of the octave makes the tone rounder than a bare sine on small speakers.
    const double wave = 0.85 * std::sin(phase) + 0.15 * std::sin(2 * phase);
    double envelope = 1.0;
    if (t < kFadeInSeconds) {
      envelope = 0.5 - 0.5 * std::cos(std::numbers::pi * t / kFadeInSeconds);
    } else if (t > kSeconds - kFadeOutSeconds) {
      const double rest = (kSeconds - t) / kFadeOutSeconds;
      envelope = 0.5 - 0.5 * std::cos(std::numbers::pi * rest);
    }
    samples.push_back(static_cast<std::int16_t>(std::lround(32767 * kPeak * envelope * wave)));
  }
  return samples;
}

void Put(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int k = 0; k < bytes; ++k) out.put(static_cast<char>((value >> (8 * k)) & 0xFF));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sound <output.wav>\n";
    return 2;
  }
  const std::vector<std::int16_t> samples = Synthesize();
  const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::ofstream out(argv[1], std::ios::binary);
  out.write("RIFF", 4);
  Put(out, 36 + data_bytes, 4);
  out.write("WAVEfmt ", 8);
  Put(out, 16, 4);  // format chunk size
  Put(out, 1, 2);   // PCM
  Put(out, 1, 2);   // mono
  Put(out, kSampleRate, 4);
  Put(out, kSampleRate * 2, 4);  // bytes per second
  Put(out, 2, 2);                // bytes per frame
  Put(out, 16, 2);               // bits per sample
  out.write("data", 4);
  Put(out, data_bytes, 4);
  for (std::int16_t s : samples) Put(out, static_cast<std::uint16_t>(s), 2);
  if (!out) {
    std::cerr << "make_sound: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
