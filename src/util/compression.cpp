#include "util/compression.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

std::runtime_error ZlibError(const z_stream& stream, int code) {
  return std::runtime_error(stream.msg != nullptr ? stream.msg : zError(code));
}

// Ends an inflate stream however the function is left.
struct TInflateGuard {
  z_stream& Stream;
  ~TInflateGuard() { inflateEnd(&Stream); }
};

}  // namespace

TBytes CompressBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > std::numeric_limits<uLong>::max()) {
    throw std::runtime_error("buffer too large to compress");
  }
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  TBytes out(size);
  const int code = compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()),
                             Z_DEFAULT_COMPRESSION);
  if (code != Z_OK) throw std::runtime_error(zError(code));
  out.resize(size);
  return out;
}

TBytes DecompressBytes(std::span<const std::uint8_t> bytes, std::size_t maxSize) {
  z_stream stream{};
  int code = inflateInit(&stream);
  if (code != Z_OK) throw ZlibError(stream, code);
  const TInflateGuard guard{stream};

  // Inflate through a fixed chunk so a stream that claims gigabytes never
  // makes us hold more than maxSize bytes of output.
  std::array<std::uint8_t, 64 * 1024> chunk;
  TBytes out;
  std::span<const std::uint8_t> rest = bytes;
  do {
    const std::size_t feed = std::min<std::size_t>(rest.size(), std::numeric_limits<uInt>::max());
    // zlib never writes through next_in; the cast only satisfies its C API.
    stream.next_in = const_cast<Bytef*>(rest.data());
    stream.avail_in = static_cast<uInt>(feed);
    do {
      stream.next_out = chunk.data();
      stream.avail_out = static_cast<uInt>(chunk.size());
      code = inflate(&stream, Z_NO_FLUSH);
      if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR) {
        throw ZlibError(stream, code == Z_NEED_DICT ? Z_DATA_ERROR : code);
      }
      const std::size_t produced = chunk.size() - stream.avail_out;
      if (produced > maxSize - out.size()) {
        throw std::runtime_error("inflated data exceeds " + std::to_string(maxSize) + " bytes");
      }
      if (out.size() + produced > out.capacity()) {
        // Grow geometrically, but never reserve past the limit.
        out.reserve(std::min(maxSize, std::max(out.capacity() * 2, out.size() + produced)));
      }
      out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(produced));
    } while (code != Z_STREAM_END && stream.avail_out == 0);
    rest = rest.subspan(feed - stream.avail_in);
  } while (code != Z_STREAM_END && !rest.empty());
  if (code != Z_STREAM_END) throw std::runtime_error("unexpected end of zlib stream");
  return out;
}
