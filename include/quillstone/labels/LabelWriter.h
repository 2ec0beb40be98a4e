// Writes a batch of labels in one output format (PNG, SVG, PDF, ZPL) to bytes (a service's
// answer, a printer's job) or to a file. One implementation per format; For picks it, so a new
// format is one writer and one row where For makes it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quillstone/labels/Label.h"
#include "quillstone/labels/LabelFormat.h"
#include "quillstone/labels/LabelSheet.h"
#include "quillstone/labels/LabelSize.h"

namespace quillstone {

class LabelWriter {
 public:
  // What some formats take besides the label size; each format ignores the others'.
  struct Options {
    // ZPL: a font stored on the printer ("E:NAME.TTF"), empty for its scalable font 0.
    std::string printerFont;
    // ZPL: the narrowest module in dots; 0 takes ZplWriter::DefaultModule.
    int module = 0;
    // PDF: the sheet the labels are laid out on; none puts one label on a page of its size.
    std::optional<LabelSheet> sheet;
  };

  // The writer of `format` for labels of `size`; refuses options the format cannot take (a ZPL
  // font name or module width out of range).
  static std::unique_ptr<LabelWriter> For(LabelFormat format, const LabelSize& size, const Options& options);
  static std::unique_ptr<LabelWriter> For(LabelFormat format, const LabelSize& size) {
    return For(format, size, Options());
  }

  virtual ~LabelWriter() = default;

  virtual LabelFormat format() const = 0;
  // How many labels one output holds: 1 for a PNG or SVG picture, none (0) for no limit.
  virtual std::size_t maxLabels() const { return 0; }

  // The labels, in order, as the format's bytes. No labels, more than maxLabels(), or a label
  // that cannot be drawn or does not fit is refused with the library's message.
  virtual std::string Write(const std::vector<Label>& labels) const = 0;
  std::string Write(const Label& label) const { return Write(std::vector<Label>{label}); }
  // The same bytes in a file; a file is only written when every label could be drawn.
  virtual void WriteFile(const std::vector<Label>& labels, const std::string& path) const;
  void WriteFile(const Label& label, const std::string& path) const { WriteFile(std::vector<Label>{label}, path); }

 protected:
  // Refuses no labels, and more than maxLabels(); `target` names the file or the output.
  void CheckCount(const std::vector<Label>& labels, const std::string& target) const;
  // Writes `bytes` to `path`, replacing it; a failure names the file.
  static void SaveFile(const std::string& bytes, const std::string& path);
};

}  // namespace quillstone
