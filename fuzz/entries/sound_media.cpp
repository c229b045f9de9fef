// Sound files of every effect format, built in memory.
#include "fuzz/entries/sound_media.h"

#include <vorbis/vorbisenc.h>

#include <cmath>

namespace {

void Big16(std::string* s, uint32_t v) {
  s->push_back(static_cast<char>(v >> 8));
  s->push_back(static_cast<char>(v));
}
void Big32(std::string* s, uint32_t v) {
  Big16(s, v >> 16);
  Big16(s, v & 0xFFFF);
}
void Little(std::string* s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s->push_back(static_cast<char>(v >> (8 * i)));
}

// AIFF keeps its rate as an 80-bit IEEE extended number.
std::string Extended(double value) {
  std::string bytes;
  int exponent = 0;
  double fraction = std::frexp(value, &exponent);  // value = fraction * 2^exponent, fraction in [0.5, 1)
  auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
  Big16(&bytes, value > 0 ? static_cast<uint32_t>(exponent - 1 + 16383) : 0);
  Big32(&bytes, static_cast<uint32_t>(mantissa >> 32));
  Big32(&bytes, static_cast<uint32_t>(mantissa));
  return bytes;
}

std::string Chunk(const char* id, const std::string& body) {
  std::string chunk = id;
  Big32(&chunk, static_cast<uint32_t>(body.size()));
  return chunk + body + (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string Form(const char* type, const std::string& chunks) {
  std::string form = "FORM";
  Big32(&form, static_cast<uint32_t>(4 + chunks.size()));
  return form + type + chunks;
}

void AppendPage(std::string* out, const ogg_page& page) {
  out->append(reinterpret_cast<const char*>(page.header), page.header_len);
  out->append(reinterpret_cast<const char*>(page.body), page.body_len);
}

}  // namespace

std::string AiffBytes(double rate, int channels) {
  const uint32_t frames = 1000;
  std::string comm;
  Big16(&comm, static_cast<uint32_t>(channels));
  Big32(&comm, frames);
  Big16(&comm, 16);
  comm += Extended(rate);
  std::string ssnd(8, '\0');
  for (uint32_t i = 0; i < frames * static_cast<uint32_t>(channels); ++i) Big16(&ssnd, (i / 20) % 2 ? 0x2000 : 0xE000);
  return Form("AIFF", Chunk("COMM", comm) + Chunk("SSND", ssnd));
}

std::string SvxBytes(uint16_t rate) {
  std::string vhdr;
  Big32(&vhdr, 1000);  // one-shot samples
  Big32(&vhdr, 0);
  Big32(&vhdr, 0);
  Big16(&vhdr, rate);
  vhdr += std::string("\x01\x00", 2);  // one octave, no compression
  Big32(&vhdr, 0x10000);               // full volume
  std::string body;
  for (int i = 0; i < 1000; ++i) body.push_back((i / 20) % 2 ? 0x20 : static_cast<char>(0xE0));
  return Form("8SVX", Chunk("VHDR", vhdr) + Chunk("BODY", body));
}

std::string VocBytes(const std::vector<std::pair<int, std::string>>& blocks) {
  std::string voc = "Creative Voice File\x1a";
  Little(&voc, 26, 2);      // first block
  Little(&voc, 0x010A, 2);  // version 1.10
  Little(&voc, 0x1129, 2);  // its check word
  for (const auto& [type, contents] : blocks) {
    voc.push_back(static_cast<char>(type));
    Little(&voc, static_cast<uint32_t>(contents.size()), 3);
    voc += contents;
  }
  return voc + '\0';
}

std::pair<int, std::string> VocSamples(int n) {
  std::string contents("\xA6\x00", 2);  // time constant for 11111 Hz, 8-bit samples
  for (int i = 0; i < n; ++i) contents.push_back((i / 20) % 2 ? 0x60 : static_cast<char>(0xA0));
  return {1, contents};
}

std::string OggVorbisBytes() {
  vorbis_info info;
  vorbis_info_init(&info);
  vorbis_encode_init_vbr(&info, 1, 22050, 0.1f);
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);
  ogg_packet id, comments, books;
  vorbis_analysis_headerout(&dsp, &comment, &id, &comments, &books);
  ogg_stream_packetin(&stream, &id);
  ogg_stream_packetin(&stream, &comments);
  ogg_stream_packetin(&stream, &books);
  std::string out;
  ogg_page page;
  while (ogg_stream_flush(&stream, &page)) AppendPage(&out, page);
  const int samples = 1000;
  float** input = vorbis_analysis_buffer(&dsp, samples);
  for (int i = 0; i < samples; ++i) input[0][i] = (i / 20) % 2 ? 0.3f : -0.3f;
  vorbis_analysis_wrote(&dsp, samples);
  vorbis_analysis_wrote(&dsp, 0);
  while (vorbis_analysis_blockout(&dsp, &block) == 1) {
    vorbis_analysis(&block, nullptr);
    vorbis_bitrate_addblock(&block);
    ogg_packet packet;
    while (vorbis_bitrate_flushpacket(&dsp, &packet)) ogg_stream_packetin(&stream, &packet);
  }
  while (ogg_stream_flush(&stream, &page)) AppendPage(&out, page);
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

std::string WithOggFormat(std::string ogg, uint32_t rate, int channels) {
  // The identification header opens the first page: "\x01vorbis", version,
  // channels, rate.
  size_t at = ogg.find("\x01vorbis");
  if (at == std::string::npos || ogg.size() < 27) return ogg;
  ogg[at + 11] = static_cast<char>(channels);
  for (int i = 0; i < 4; ++i) ogg[at + 12 + i] = static_cast<char>(rate >> (8 * i));
  size_t segments = static_cast<unsigned char>(ogg[26]), length = 27 + segments;
  for (size_t s = 0; s < segments; ++s) length += static_cast<unsigned char>(ogg[27 + s]);
  ogg_page page;
  page.header = reinterpret_cast<unsigned char*>(&ogg[0]);
  page.header_len = static_cast<long>(27 + segments);
  page.body = page.header + page.header_len;
  page.body_len = static_cast<long>(length - 27 - segments);
  ogg_page_checksum_set(&page);
  return ogg;
}
