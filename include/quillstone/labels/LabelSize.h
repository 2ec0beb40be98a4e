// The printed size of one label and the printer's resolution, as the options give them
// ("50x30mm", "2x1.25in", 203 or 300 dpi), with the conversions to printer dots.
#pragma once

#include <string>
#include <utility>

namespace quillstone {

class LabelSize {
 public:
  LabelSize(double widthMm, double heightMm, int dpi);
  // "WxH" followed by "mm" (the default), "cm" or "in".
  static LabelSize Parse(const std::string& text, int dpi);
  // Two lengths in millimetres from "AxB" plus a unit, or one length used for both from "A" plus
  // a unit; `what` names the option in the message of a refusal.
  static std::pair<double, double> ParseLengths(const std::string& text, const std::string& what);

  double widthMm() const { return widthMm_; }
  double heightMm() const { return heightMm_; }
  int dpi() const { return dpi_; }
  double dotsPerMm() const { return dpi_ / 25.4; }
  // Whole dots that fit in `mm`.
  int Dots(double mm) const;
  int widthDots() const { return Dots(widthMm_); }
  int heightDots() const { return Dots(heightMm_); }
  // "50×30 mm" for messages.
  std::string Text() const;

 private:
  double widthMm_;
  double heightMm_;
  int dpi_;
};

}  // namespace quillstone
