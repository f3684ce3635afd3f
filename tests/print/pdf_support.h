#pragma once
// Reading printed PDF files back with poppler's command-line tools.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/draw/gdi.h"

// What a shell command writes to its standard output.
inline std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

// The text of each page (UTF-8), in order.
inline std::vector<std::string> PdfPageTexts(const std::string& pdf) {
  const std::string text = CommandOutput("pdftotext -layout '" + pdf + "' - 2>/dev/null");
  std::vector<std::string> pages;
  std::string page;
  for (char ch : text) {
    if (ch == '\f') {
      pages.push_back(page);
      page.clear();
    } else {
      page += ch;
    }
  }
  return pages;
}

// One page rendered at dpi, read from a binary PPM.
struct TRenderedPage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  COLORREF At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return RGB(rgb[i], rgb[i + 1], rgb[i + 2]);
  }
};

inline TRenderedPage RenderPdfPage(const std::string& pdf, int page, int dpi, const std::string& prefix) {
  const std::string p = std::to_string(page);
  CommandOutput("pdftoppm -r " + std::to_string(dpi) + " -f " + p + " -l " + p + " -singlefile '" + pdf + "' '" +
                prefix + "'");
  TRenderedPage rendered;
  std::ifstream in(prefix + ".ppm", std::ios::binary);
  std::string magic;
  int maxValue = 0;
  in >> magic >> rendered.width >> rendered.height >> maxValue;
  in.get();
  if (magic != "P6" || rendered.width <= 0 || rendered.height <= 0) return TRenderedPage{};
  rendered.rgb.resize(static_cast<std::size_t>(rendered.width) * rendered.height * 3);
  in.read(reinterpret_cast<char*>(rendered.rgb.data()), static_cast<std::streamsize>(rendered.rgb.size()));
  return rendered;
}
