#include "png_file.h"

#include <cstdio>

#include "app/output_target.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace {

// stb keeps sizes in int: the filtered rows, (3 * width + 1) * height bytes,
// and the compressed stream that grows by doubling must stay below 2^31.
constexpr long long kMaxFilteredBytes = 1LL << 29;

void Append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

bool PngSizeFits(int nWidth, int nHeight) {
  return nWidth > 0 && nHeight > 0 &&
         (3LL * nWidth + 1) * static_cast<long long>(nHeight) <= kMaxFilteredBytes;
}

std::vector<std::uint8_t> EncodePng(int nWidth, int nHeight, const std::vector<COLORREF>& pixels) {
  std::vector<std::uint8_t> png;
  if (!PngSizeFits(nWidth, nHeight) ||
      pixels.size() != static_cast<std::size_t>(nWidth) * static_cast<std::size_t>(nHeight))
    return png;
  std::vector<std::uint8_t> rgb(pixels.size() * 3);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    rgb[3 * i] = static_cast<std::uint8_t>(RedOf(pixels[i]));
    rgb[3 * i + 1] = static_cast<std::uint8_t>(GreenOf(pixels[i]));
    rgb[3 * i + 2] = static_cast<std::uint8_t>(BlueOf(pixels[i]));
  }
  if (!stbi_write_png_to_func(Append, &png, nWidth, nHeight, 3, rgb.data(), 3 * nWidth)) png.clear();
  return png;
}

int WritePng(const std::string& strName, int nWidth, int nHeight,
             const std::vector<COLORREF>& pixels) {
  if (strName.empty()) return 0;
  const std::vector<std::uint8_t> png = EncodePng(nWidth, nHeight, pixels);
  if (png.empty()) return 0;
  // The same rule as every picture file: links followed, devices refused.
  return ReplaceOutputFile(strName, [&](std::FILE* file) {
           return std::fwrite(png.data(), 1, png.size(), file) == png.size();
         })
             ? 1
             : 0;
}
