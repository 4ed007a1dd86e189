#include "standard_sheets.hpp"

#include "length_unit.hpp"

namespace refhost {
namespace {

constexpr double kInch = kMetresPerInch;
constexpr double kFoot = 12 * kInch;
constexpr double kMm = 0.001;

constexpr StandardPaper inches(std::string_view name, double w, double h, std::string_view wt,
                               std::string_view ht) {
  return {name, w * kInch, h * kInch, wt, ht};
}
constexpr StandardPaper millimetres(std::string_view name, double w, double h, std::string_view wt,
                                    std::string_view ht) {
  return {name, w * kMm, h * kMm, wt, ht};
}
// Paper-length form: `paper` inches on the sheet stand for one foot of model.
constexpr StandardScale perFoot(std::string_view caption, double paperInches) {
  return {caption, paperInches * kInch, kFoot};
}
// Ratio form: paper : model.
constexpr StandardScale ratio(std::string_view caption, double paper, double model) {
  return {caption, paper * kMm, model * kMm};
}

}  // namespace

// The pair order is fixed by how printer papers map to list entries: Folio, Legal, Executive,
// Statement, Envelope #10, Envelope Monarch, Letter, Tabloid, C, D, E, (two without a printer
// paper), A5, A4, A3, (three without), B5, B4, Envelope C4, Envelope DL, Quarto.
const std::array<StandardPaper, kStandardSizeCount / 2> kStandardPapers = {{
    inches("Folio", 8.5, 13, "8.5in", "13in"),
    inches("Legal", 8.5, 14, "8.5in", "14in"),
    inches("Executive", 7.25, 10.5, "7.25in", "10.5in"),
    inches("Statement", 5.5, 8.5, "5.5in", "8.5in"),
    inches("Env. #10", 4.125, 9.5, "4.125in", "9.5in"),
    inches("Monarch", 3.875, 7.5, "3.875in", "7.5in"),
    inches("Letter", 8.5, 11, "8.5in", "11in"),
    inches("Tabloid", 11, 17, "11in", "17in"),
    inches("ANSI C", 17, 22, "17in", "22in"),
    inches("ANSI D", 22, 34, "22in", "34in"),
    inches("ANSI E", 34, 44, "34in", "44in"),
    inches("Arch A", 9, 12, "9in", "12in"),
    inches("Arch B", 12, 18, "12in", "18in"),
    millimetres("A5", 148, 210, "148mm", "210mm"),
    millimetres("A4", 210, 297, "210mm", "297mm"),
    millimetres("A3", 297, 420, "297mm", "420mm"),
    millimetres("A2", 420, 594, "420mm", "594mm"),
    millimetres("A1", 594, 841, "594mm", "841mm"),
    millimetres("A0", 841, 1189, "841mm", "1189mm"),
    millimetres("B5", 182, 257, "182mm", "257mm"),
    millimetres("B4", 250, 354, "250mm", "354mm"),
    millimetres("ISO C4", 229, 324, "229mm", "324mm"),
    millimetres("ISO DL", 110, 220, "110mm", "220mm"),
    millimetres("Quarto", 215, 275, "215mm", "275mm"),
}};

// Entry 5 is the default of the standard mode; entry 24 (1:1) is shown in full-size mode.
const std::array<StandardScale, kStandardScaleCount> kStandardScales = {{
    perFoot("1/128\" = 1'-0\"", 1.0 / 128),
    perFoot("1/64\" = 1'-0\"", 1.0 / 64),
    perFoot("1/32\" = 1'-0\"", 1.0 / 32),
    perFoot("1/16\" = 1'-0\"", 1.0 / 16),
    perFoot("3/32\" = 1'-0\"", 3.0 / 32),
    perFoot("1/8\" = 1'-0\"", 1.0 / 8),
    perFoot("3/16\" = 1'-0\"", 3.0 / 16),
    perFoot("1/4\" = 1'-0\"", 1.0 / 4),
    perFoot("3/8\" = 1'-0\"", 3.0 / 8),
    perFoot("1/2\" = 1'-0\"", 1.0 / 2),
    perFoot("3/4\" = 1'-0\"", 3.0 / 4),
    perFoot("1\" = 1'-0\"", 1),
    perFoot("1-1/2\" = 1'-0\"", 1.5),
    perFoot("3\" = 1'-0\"", 3),
    perFoot("6\" = 1'-0\"", 6),
    ratio("100:1 mm", 100, 1),
    ratio("50:1 mm", 50, 1),
    ratio("25:1 mm", 25, 1),
    ratio("20:1 mm", 20, 1),
    ratio("10:1 mm", 10, 1),
    ratio("5:1 mm", 5, 1),
    ratio("4:1 mm", 4, 1),
    ratio("3:1 mm", 3, 1),
    ratio("2:1 mm", 2, 1),
    ratio("1:1 mm", 1, 1),
    ratio("1:2 mm", 1, 2),
    ratio("1:2.5 mm", 1, 2.5),
    ratio("1:5 mm", 1, 5),
    ratio("1:10 mm", 1, 10),
    ratio("1:20 mm", 1, 20),
    ratio("1:25 mm", 1, 25),
    ratio("1:50 mm", 1, 50),
    ratio("1:75 mm", 1, 75),
    ratio("1:100 mm", 1, 100),
    ratio("1:125 mm", 1, 125),
    ratio("1:200 mm", 1, 200),
    ratio("1:250 mm", 1, 250),
    ratio("1:500 mm", 1, 500),
    ratio("1:1000 mm", 1, 1000),
    ratio("1:1250 mm", 1, 1250),
    ratio("1:2000 mm", 1, 2000),
    ratio("1:2500 mm", 1, 2500),
    ratio("1:5000 mm", 1, 5000),
    ratio("1:10000 mm", 1, 10000),
    ratio("1:20000 mm", 1, 20000),
}};

double standardSizeWidth(int index) {
  const StandardPaper& p = kStandardPapers.at(static_cast<std::size_t>(index / 2));
  return index % 2 == 0 ? p.width : p.height;
}

double standardSizeHeight(int index) {
  const StandardPaper& p = kStandardPapers.at(static_cast<std::size_t>(index / 2));
  return index % 2 == 0 ? p.height : p.width;
}

}  // namespace refhost
